#include "platform/gtk/ResourceSite.h"

#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <string>

#include "tests/gtk/GtkTestSupport.h"

using namespace platform::gtk;

namespace {
constexpr const char* kRoot = "/r";
}

TEST(ResourceSite, PathsMapInsideTheRoot) {
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/pb/1.html"), "/r/soft/pb/1.html");
    EXPECT_EQ(ResourcePathFor(kRoot, "//soft//pb/./1.html"), "/r/soft/pb/1.html");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/x/../pb/1.html"), "/r/soft/pb/1.html");
    EXPECT_EQ(ResourcePathFor(kRoot, "/a%20b%E4%B8%AD.html"), "/r/a b\xE4\xB8\xAD.html");
}

// Folders keep their trailing slash, so the server can answer with their index page; a
// folder named without it stays a file name.
TEST(ResourceSite, FoldersKeepTheirSlash) {
    EXPECT_EQ(ResourcePathFor(kRoot, ""), "/r/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/"), "/r/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/pb/"), "/r/soft/pb/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/pb/."), "/r/soft/pb/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/pb/.."), "/r/soft/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/.."), "/r/");
    EXPECT_EQ(ResourcePathFor(kRoot, "/soft/pb"), "/r/soft/pb");
}

// Nothing outside the root, and nothing that decodes into a different path than it reads.
TEST(ResourceSite, PathsThatLeaveTheRootOrHideSeparatorsNameNothing) {
    EXPECT_EQ(ResourcePathFor(kRoot, "/.."), "");
    EXPECT_EQ(ResourcePathFor(kRoot, "/a/../../b"), "");
    EXPECT_EQ(ResourcePathFor(kRoot, "/%2E%2E/b"), "");         // an encoded ".." is still ".."
    EXPECT_EQ(ResourcePathFor(kRoot, "/a%2F..%2F..%2Fb"), "");  // an encoded "/" joins segments
    EXPECT_EQ(ResourcePathFor(kRoot, "/a%00.html"), "");        // NUL would cut the name short
    EXPECT_EQ(ResourcePathFor(kRoot, std::string("/a\0b", 4)), "");
    EXPECT_EQ(ResourcePathFor(kRoot, "/a%zz.html"), "");  // not an escape
    EXPECT_EQ(ResourcePathFor(kRoot, "/a%4"), "");        // escape cut short
}

TEST(ResourceSite, MimeTypesByExtension) {
    EXPECT_STREQ(MimeTypeFor("/r/index.html"), "text/html");
    EXPECT_STREQ(MimeTypeFor("/r/INDEX.HTM"), "text/html");
    EXPECT_STREQ(MimeTypeFor("/r/style.css"), "text/css");
    EXPECT_STREQ(MimeTypeFor("/r/logo.svg"), "image/svg+xml");
    EXPECT_STREQ(MimeTypeFor("/r/README"), "application/octet-stream");
    EXPECT_STREQ(MimeTypeFor("/r/v1.0/README"), "application/octet-stream");  // a dot in a folder
    EXPECT_STREQ(MimeTypeFor("/r/archive.tar.gz"), "application/octet-stream");
}

// Served through a real web engine, from resources GTK itself registers.
namespace {

struct Load {
    bool finished = false;
    bool failed = false;
    GError* error = nullptr;
};

void OnChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event == WEBKIT_LOAD_FINISHED) static_cast<Load*>(data)->finished = true;
}
gboolean OnFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer data) {
    auto* load = static_cast<Load*>(data);
    load->failed = true;
    load->error = g_error_copy(error);
    return TRUE;
}

class ServedSite : public testing::Test {
protected:
    void SetUp() override {
        context_ = webkit_web_context_new_ephemeral();
        RegisterResourceSite(context_, {"pbtest", "site", "/org/gtk/libgtk"});
        view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context_));
        g_object_ref_sink(view_);
        g_signal_connect(view_, "load-changed", G_CALLBACK(OnChanged), &load_);
        g_signal_connect(view_, "load-failed", G_CALLBACK(OnFailed), &load_);
    }
    void TearDown() override {
        g_signal_handlers_disconnect_by_data(view_, &load_);
        if (load_.error) g_error_free(load_.error);
        g_object_unref(view_);
        g_object_unref(context_);
    }
    // Loads the address; true when it loaded, false when it failed.
    bool Open(const char* uri) {
        load_ = Load{};
        webkit_web_view_load_uri(view_, uri);
        EXPECT_TRUE(gtktest::WaitFor([&] { return load_.finished; }, 30000)) << uri;
        return !load_.failed;
    }
    std::string MainMimeType() {
        WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
        WebKitURIResponse* response =
            resource ? webkit_web_resource_get_response(resource) : nullptr;
        const char* type = response ? webkit_uri_response_get_mime_type(response) : nullptr;
        return type ? type : "";
    }
    // Runs an async function body in the page; its number result, or -1 when it threw.
    int Call(const char* body) {
        int result = -2;
        struct Done {
            int* result;
        } done{&result};
        webkit_web_view_call_async_javascript_function(
            view_, body, -1, nullptr, nullptr, nullptr, nullptr,
            [](GObject* view, GAsyncResult* r, gpointer data) {
                GError* error = nullptr;
                JSCValue* value = webkit_web_view_call_async_javascript_function_finish(
                    WEBKIT_WEB_VIEW(view), r, &error);
                int* out = static_cast<Done*>(data)->result;
                *out = value && jsc_value_is_number(value) ? jsc_value_to_int32(value) : -1;
                if (value) g_object_unref(value);
                if (error) g_error_free(error);
            },
            &done);
        EXPECT_TRUE(gtktest::WaitFor([&] { return result != -2; }, 30000));
        return result;
    }

    WebKitWebContext* context_ = nullptr;
    WebKitWebView* view_ = nullptr;
    Load load_;
};

}  // namespace

TEST_F(ServedSite, ServesResourcesWithTheirTypeAndRefusesTheRest) {
    EXPECT_TRUE(Open("pbtest://site/theme/Adwaita/gtk-contained.css"));
    EXPECT_EQ(MainMimeType(), "text/css");

    for (const char* missing :
         {"pbtest://site/theme/Adwaita/none.css", "pbtest://site/theme/Adwaita",
          "pbtest://site/theme/", "pbtest://other/theme/Adwaita/gtk-contained.css",
          "pbtest://site/theme/%2E%2E/%2E%2E/%2E%2E/gtk/libgtk/theme/Adwaita/gtk-contained.css"}) {
        EXPECT_FALSE(Open(missing)) << missing;
        ASSERT_NE(load_.error, nullptr) << missing;
        EXPECT_TRUE(g_error_matches(load_.error, WEBKIT_NETWORK_ERROR,
                                    WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST))
            << missing << ": " << load_.error->message;
    }
}

// The site's pages load its pictures; pages from the web cannot reach into it.
TEST_F(ServedSite, OwnPagesLoadItsPicturesWebPagesCannot) {
    constexpr const char* kLoadPicture =
        "return await new Promise(done => { const i = new Image(); i.onload = () => done(1); "
        "i.onerror = () => done(0); i.src = 'pbtest://site/cursor/dnd-copy.png'; });";
    ASSERT_TRUE(Open("pbtest://site/theme/Adwaita/gtk-contained.css"));
    EXPECT_EQ(Call(kLoadPicture), 1);

    load_ = Load{};
    webkit_web_view_load_html(view_, "<html><body>web</body></html>", "http://example.invalid/");
    ASSERT_TRUE(gtktest::WaitFor([&] { return load_.finished; }, 30000));
    EXPECT_EQ(Call(kLoadPicture), 0);
}
