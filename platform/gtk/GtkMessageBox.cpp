#include "platform/gtk/GtkBackend.h"
#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {
namespace {

GtkMessageType MessageType(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Info:
            return GTK_MESSAGE_INFO;
        case MessageBoxKind::Warning:
            return GTK_MESSAGE_WARNING;
        case MessageBoxKind::Error:
            return GTK_MESSAGE_ERROR;
        case MessageBoxKind::Question:
            return GTK_MESSAGE_QUESTION;
    }
    return GTK_MESSAGE_OTHER;
}

void AddButtons(GtkDialog* dialog, MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::Ok:
            gtk_dialog_add_button(dialog, "_OK", GTK_RESPONSE_OK);
            gtk_dialog_set_default_response(dialog, GTK_RESPONSE_OK);
            break;
        case MessageBoxButtons::OkCancel:
            gtk_dialog_add_button(dialog, "_OK", GTK_RESPONSE_OK);
            gtk_dialog_add_button(dialog, "_Cancel", GTK_RESPONSE_CANCEL);
            gtk_dialog_set_default_response(dialog, GTK_RESPONSE_OK);
            break;
        case MessageBoxButtons::YesNoCancel:
            gtk_dialog_add_button(dialog, "_Yes", GTK_RESPONSE_YES);
            gtk_dialog_add_button(dialog, "_No", GTK_RESPONSE_NO);
            gtk_dialog_add_button(dialog, "_Cancel", GTK_RESPONSE_CANCEL);
            gtk_dialog_set_default_response(dialog, GTK_RESPONSE_YES);
            break;
        case MessageBoxButtons::YesNo:
            gtk_dialog_add_button(dialog, "_Yes", GTK_RESPONSE_YES);
            gtk_dialog_add_button(dialog, "_No", GTK_RESPONSE_NO);
            gtk_dialog_set_default_response(dialog, GTK_RESPONSE_YES);
            break;
    }
}

// The program's active window, so that the box is modal to it and placed over it.
GtkWindow* ActiveToplevel() {
    GListPtr list(gtk_window_list_toplevels());
    for (GList* l = list.get(); l; l = l->next) {
        auto* w = GTK_WINDOW(l->data);
        if (gtk_window_is_active(w) && gtk_widget_get_visible(GTK_WIDGET(w))) return w;
    }
    return nullptr;
}

}  // namespace

MessageBoxResult ResultFromResponse(int response, MessageBoxButtons buttons) {
    switch (response) {
        case GTK_RESPONSE_OK:
            return MessageBoxResult::Ok;
        case GTK_RESPONSE_YES:
            return MessageBoxResult::Yes;
        case GTK_RESPONSE_NO:
            return MessageBoxResult::No;
        case GTK_RESPONSE_CANCEL:
            return MessageBoxResult::Cancel;
        default:
            break;
    }
    switch (buttons) {
        case MessageBoxButtons::Ok:
            return MessageBoxResult::Ok;
        case MessageBoxButtons::YesNo:
            return MessageBoxResult::No;
        case MessageBoxButtons::OkCancel:
        case MessageBoxButtons::YesNoCancel:
            return MessageBoxResult::Cancel;
    }
    return MessageBoxResult::Cancel;
}

MessageBoxResult RunMessageBox(const std::string& title, const std::string& text,
                               MessageBoxKind kind, MessageBoxButtons buttons) {
    GtkWidgetPtr<> dialog(GTK_WIDGET(g_object_ref_sink(
        gtk_message_dialog_new(ActiveToplevel(), GTK_DIALOG_MODAL, MessageType(kind),
                               GTK_BUTTONS_NONE, "%s", text.c_str()))));
    gtk_window_set_title(GTK_WINDOW(dialog.get()), title.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog.get()), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog.get()), TRUE);
    AddButtons(GTK_DIALOG(dialog.get()), buttons);
    const int response = gtk_dialog_run(GTK_DIALOG(dialog.get()));
    return ResultFromResponse(response, buttons);
}

}  // namespace platform::gtk
