/* The smallest WebKitGTK program that does what Puzzlebin shows at start-up: a 777 x 491
 * window, centred, holding two tabs; the first has a 75-pixel navigation view above a
 * content view, the second one more view. The three views open the same three pages as
 * Puzzlebin, in the same order (content, navigation, author's site). bench/startup.sh
 * compares the two programs' start-up.
 *   smallest_webkit <site base address ending in "/">
 * Prints "peer-event: loaded <view> <address>" on stderr when a view has loaded its page. */
#include <gtk/gtk.h>
#include <stdio.h>
#include <webkit2/webkit2.h>

static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer name) {
    if (event != WEBKIT_LOAD_FINISHED) return;
    fprintf(stderr, "peer-event: loaded %s %s\n", (const char*)name, webkit_web_view_get_uri(view));
    fflush(stderr);
}

static GtkWidget* NewView(const char* name) {
    GtkWidget* view = webkit_web_view_new();
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), (gpointer)name);
    return view;
}

static void Open(GtkWidget* view, const char* base, const char* path) {
    char* uri = g_strconcat(base, path, NULL);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), uri);
    g_free(uri);
}

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    if (argc != 2 || !g_str_has_suffix(argv[1], "/")) {
        fprintf(stderr, "usage: smallest_webkit <site base address ending in \"/\">\n");
        return 2;
    }
    const char* base = argv[1];

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "smallest_webkit");
    gtk_window_set_default_size(GTK_WINDOW(window), 777, 491);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);

    GtkWidget* nav = NewView("nav");
    GtkWidget* content = NewView("content");
    GtkWidget* shop = NewView("shop");
    gtk_widget_set_size_request(nav, -1, 75);
    GtkWidget* puzzles = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_start(GTK_BOX(puzzles), nav, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(puzzles), content, TRUE, TRUE, 0);
    GtkWidget* tabs = gtk_notebook_new();
    gtk_notebook_append_page(GTK_NOTEBOOK(tabs), puzzles, gtk_label_new("题在首页"));
    gtk_notebook_append_page(GTK_NOTEBOOK(tabs), shop, gtk_label_new("作者网站"));
    gtk_container_add(GTK_CONTAINER(window), tabs);

    Open(content, base, "soft/pb/1.html");
    Open(nav, base, "soft/pb/index.html");
    Open(shop, base, "index.html");
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
