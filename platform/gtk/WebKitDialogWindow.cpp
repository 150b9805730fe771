#include "platform/gtk/WebKitDialogWindow.h"

#include "platform/gtk/GtkHandles.h"
#include "platform/gtk/WebKitHost.h"

namespace platform::gtk {
namespace {

// Queued work for a dialog that may be gone by then.
struct DialogTask {
    TLivenessWatch alive;
    WebKitDialogWindow* dialog;
    std::function<void(WebKitDialogWindow&)> run;
};

gboolean RunDialogTask(gpointer data) {
    auto* task = static_cast<DialogTask*>(data);
    if (task->alive.Alive()) task->run(*task->dialog);
    return G_SOURCE_REMOVE;
}

void FreeDialogTask(gpointer data) { delete static_cast<DialogTask*>(data); }

void Queue(TLivenessWatch alive, WebKitDialogWindow* dialog,
           std::function<void(WebKitDialogWindow&)> run) {
    g_idle_add_full(G_PRIORITY_DEFAULT, RunDialogTask,
                    new DialogTask{std::move(alive), dialog, std::move(run)}, FreeDialogTask);
}

const char* IconName(WebKitDialogWindow::Kind kind) {
    switch (kind) {
        case WebKitDialogWindow::Kind::Alert:
            return "dialog-warning";
        case WebKitDialogWindow::Kind::Confirm:
        case WebKitDialogWindow::Kind::LeavePage:
            return "dialog-question";
        case WebKitDialogWindow::Kind::ScriptError:
            return "dialog-error";
        case WebKitDialogWindow::Kind::Prompt:
            return nullptr;
    }
    return nullptr;
}

}  // namespace

const char* WebKitDialogWindow::DefaultCaption(Kind kind) {
    switch (kind) {
        case Kind::Prompt:
            return "User Prompt";
        case Kind::ScriptError:
            return "Script Error";
        default:
            return "Message from webpage";
    }
}

WebKitDialogWindow::WebKitDialogWindow(WebKitHost& host, GtkWidget* parent, Kind kind,
                                       const std::string& message, const std::string& defaultText,
                                       Answer answer)
    : host_(host), kind_(kind), answer_(std::move(answer)) {
    if (WebHostSite* site = host_.Site()) {
        face_ = site->CreateDialogFace(
            WebDialogContent{kind, DefaultCaption(kind), message, defaultText},
            [this, alive = liveness_.Watch()](bool accepted) {
                if (alive.Alive()) End(accepted);
            });
    }
    if (!face_) BuildGtkDialog(parent, message, defaultText);
}

void WebKitDialogWindow::BuildGtkDialog(GtkWidget* parent, const std::string& message,
                                        const std::string& defaultText) {
    const Kind kind = kind_;
    ownedWindow_.reset(GTK_WIDGET(g_object_ref_sink(gtk_dialog_new())));
    window_ = ownedWindow_.get();
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_window_set_title(window, DefaultCaption(kind));
    gtk_window_set_modal(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_default_size(window, 420, -1);
    if (parent && GTK_IS_WINDOW(parent)) {
        gtk_window_set_transient_for(window, GTK_WINDOW(parent));
        gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
    }
    gtk_window_set_destroy_with_parent(window, TRUE);
    if (const char* icon = IconName(kind)) gtk_window_set_icon_name(window, icon);

    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(window_));
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
    gtk_container_set_border_width(GTK_CONTAINER(row), 12);
    if (const char* icon = IconName(kind))
        gtk_box_pack_start(GTK_BOX(row), gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG),
                           FALSE, FALSE, 0);
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    GtkWidget* label = gtk_label_new(message.c_str());
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 60);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_box_pack_start(GTK_BOX(column), label, FALSE, FALSE, 0);
    if (kind == Kind::Prompt) {
        entry_ = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(entry_), defaultText.c_str());
        gtk_entry_set_activates_default(GTK_ENTRY(entry_), TRUE);
        gtk_box_pack_start(GTK_BOX(column), entry_, FALSE, FALSE, 0);
    }
    gtk_box_pack_start(GTK_BOX(row), column, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(content), row, TRUE, TRUE, 0);

    switch (kind) {
        case Kind::Alert:
            gtk_dialog_add_button(GTK_DIALOG(window_), "OK", GTK_RESPONSE_OK);
            break;
        case Kind::Confirm:
        case Kind::Prompt:
            gtk_dialog_add_button(GTK_DIALOG(window_), "Cancel", GTK_RESPONSE_CANCEL);
            gtk_dialog_add_button(GTK_DIALOG(window_), "OK", GTK_RESPONSE_OK);
            break;
        case Kind::LeavePage:
            gtk_dialog_add_button(GTK_DIALOG(window_), "Stay on this page", GTK_RESPONSE_CANCEL);
            gtk_dialog_add_button(GTK_DIALOG(window_), "Leave this page", GTK_RESPONSE_OK);
            break;
        case Kind::ScriptError:
            gtk_dialog_add_button(GTK_DIALOG(window_), "No", GTK_RESPONSE_CANCEL);
            gtk_dialog_add_button(GTK_DIALOG(window_), "Yes", GTK_RESPONSE_OK);
            break;
    }
    gtk_dialog_set_default_response(GTK_DIALOG(window_), GTK_RESPONSE_OK);
    g_signal_connect(window_, "response", G_CALLBACK(OnResponse), this);
}

WebKitDialogWindow::~WebKitDialogWindow() {
    liveness_.End();
    if (window_) g_signal_handlers_disconnect_by_data(window_, this);
}

void WebKitDialogWindow::Show() {
    // The host hears of the dialog first (from the loop, outside WebKit's signal); one its
    // rules close or change never appears as it was.
    Queue(liveness_.Watch(), this, [](WebKitDialogWindow& d) {
        if (d.ended_) return;
        const TLivenessWatch alive = d.liveness_.Watch();
        d.host_.DialogShown(d);
        if (!alive.Alive() || d.ended_ || d.closeRequested_) return;
        if (d.face_) {
            d.face_->Show();
            return;
        }
        gtk_widget_show_all(d.window_);
        gtk_window_present(GTK_WINDOW(d.window_));
    });
}

void WebKitDialogWindow::End(bool accepted) {
    if (ended_) return;
    ended_ = true;
    std::string text;
    if (face_) {
        if (kind_ == Kind::Prompt) text = face_->EnteredText();
        face_->Hide();
    } else {
        if (entry_) text = gtk_entry_get_text(GTK_ENTRY(entry_));
        gtk_widget_hide(window_);
    }
    Answer answer = std::move(answer_);
    if (answer) answer(accepted, text);
    host_.DialogEnded(*this);
}

void WebKitDialogWindow::OnResponse(GtkDialog*, gint response, gpointer self) {
    static_cast<WebKitDialogWindow*>(self)->End(response == GTK_RESPONSE_OK);
}

std::string WebKitDialogWindow::ClassName() const {
    return kind_ == Kind::Prompt ? "Internet Explorer_TridentDlgFrame" : "#32770";
}

std::string WebKitDialogWindow::Caption() const {
    if (face_) return face_->Caption();
    const char* title = gtk_window_get_title(GTK_WINDOW(window_));
    return title ? title : "";
}

void WebKitDialogWindow::SetCaption(const std::string& caption) {
    if (face_) return face_->SetCaption(caption);
    gtk_window_set_title(GTK_WINDOW(window_), caption.c_str());
}

void WebKitDialogWindow::UseApplicationIcon() {
    if (face_) return face_->UseApplicationIcon();
    GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(window_));
    GListPtr icons(parent ? gtk_window_get_icon_list(parent) : nullptr);
    if (!icons) icons.reset(gtk_window_get_default_icon_list());
    // The application's icon, or none at all rather than the dialog's own.
    gtk_window_set_icon_list(GTK_WINDOW(window_), icons.get());
    if (!icons) gtk_window_set_icon_name(GTK_WINDOW(window_), nullptr);
}

void WebKitDialogWindow::RequestClose() {
    // Answered from the loop, so the dialog stays valid while the host looks at it.
    closeRequested_ = true;
    Queue(liveness_.Watch(), this, [](WebKitDialogWindow& d) { d.End(false); });
}

void WebKitDialogWindow::PostClick() {
    Queue(liveness_.Watch(), this, [](WebKitDialogWindow& d) {
        // A host's face takes no synthetic clicks: a click on a dialog's empty part does
        // nothing either.
        GdkWindow* window = d.window_ ? gtk_widget_get_window(d.window_) : nullptr;
        if (d.ended_ || !window) return;
        for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
            GdkEventPtr event(gdk_event_new(type));
            event->button.window = GDK_WINDOW(g_object_ref(window));
            event->button.button = 1;
            event->button.time = GDK_CURRENT_TIME;
            gdk_event_set_device(
                event.get(),
                gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window))));
            gtk_main_do_event(event.get());
        }
    });
}

void WebKitDialogWindow::Destroy() {
    End(false);
    if (window_) gtk_widget_destroy(window_);
}

}  // namespace platform::gtk
