#include "platform/gtk/ResourceSite.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "base/AsciiText.h"
#include "platform/gtk/GtkHandles.h"

namespace platform::gtk {
namespace {

constexpr std::array<std::pair<std::string_view, const char*>, 16> kMimeTypes = {{
    {".html", "text/html"},
    {".htm", "text/html"},
    {".css", "text/css"},
    {".js", "text/javascript"},
    {".mjs", "text/javascript"},
    {".json", "application/json"},
    {".svg", "image/svg+xml"},
    {".png", "image/png"},
    {".jpg", "image/jpeg"},
    {".jpeg", "image/jpeg"},
    {".gif", "image/gif"},
    {".webp", "image/webp"},
    {".ico", "image/x-icon"},
    {".woff2", "font/woff2"},
    {".woff", "font/woff"},
    {".txt", "text/plain"},
}};

void FinishNotFound(WebKitURISchemeRequest* request) {
    const GErrorPtr error(g_error_new(WEBKIT_NETWORK_ERROR,
                                      WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST, "%s not found",
                                      webkit_uri_scheme_request_get_uri(request)));
    webkit_uri_scheme_request_finish_error(request, error.get());
}

void Serve(WebKitURISchemeRequest* request, gpointer data) {
    const auto* site = static_cast<const ResourceSite*>(data);
    // The host is checked on the parsed address: "puzzlebin://site/..." only.
    const GUriPtr uri(
        g_uri_parse(webkit_uri_scheme_request_get_uri(request), G_URI_FLAGS_ENCODED, nullptr));
    const char* host = uri ? g_uri_get_host(uri.get()) : nullptr;
    const bool hostMatches = host && site->host == host;
    std::string path = hostMatches ? ResourcePathFor(site->resourceRoot,
                                                     webkit_uri_scheme_request_get_path(request))
                                   : std::string();
    if (path.empty()) return FinishNotFound(request);
    if (path.back() == '/') path += "index.html";
    GBytesPtr bytes(g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
    // A folder named without its trailing slash is not served: its page's relative links
    // would resolve against the parent folder.
    if (!bytes) return FinishNotFound(request);
    const gsize size = g_bytes_get_size(bytes.get());
    GObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_bytes(bytes.get()));
    GObjectPtr<WebKitURISchemeResponse> response(
        webkit_uri_scheme_response_new(stream.get(), static_cast<gint64>(size)));
    webkit_uri_scheme_response_set_status(response.get(), 200, "OK");
    webkit_uri_scheme_response_set_content_type(response.get(), MimeTypeFor(path));
    webkit_uri_scheme_request_finish_with_response(request, response.get());
}

}  // namespace

std::string ResourcePathFor(const std::string& resourceRoot, const std::string& uriPath) {
    if (uriPath.find('\0') != std::string::npos) return {};
    // "/" may not be encoded: it would join segments the address keeps apart.
    GCharPtr decoded(g_uri_unescape_string(uriPath.c_str(), "/"));
    if (!decoded) return {};
    const std::string_view text(decoded.get());
    std::vector<std::string_view> segments;
    bool folder = true;  // the path names a folder: empty, or ending in "/", "." or ".."
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view segment = text.substr(start, end - start);
        start = end + 1;
        folder = segment.empty() || segment == "." || segment == "..";
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (segments.empty()) return {};
            segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }
    std::string result = resourceRoot;
    for (const std::string_view segment : segments) {
        result += '/';
        result += segment;
    }
    if (folder) result += '/';
    return result;
}

const char* MimeTypeFor(const std::string& resourcePath) {
    const size_t slash = resourcePath.rfind('/');
    const size_t dot = resourcePath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        const std::string extension = LowerAsciiText(resourcePath.substr(dot));
        for (const auto& [ext, type] : kMimeTypes)
            if (extension == ext) return type;
    }
    return "application/octet-stream";
}

void RegisterResourceSite(WebKitWebContext* context, const ResourceSite& site) {
    // The context keeps the site description for the life of the process.
    auto* kept = new ResourceSite(site);
    webkit_web_context_register_uri_scheme(
        context, kept->scheme.c_str(), &Serve, kept,
        [](gpointer p) { delete static_cast<ResourceSite*>(p); });
    WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
    webkit_security_manager_register_uri_scheme_as_secure(security, kept->scheme.c_str());
    webkit_security_manager_register_uri_scheme_as_local(security, kept->scheme.c_str());
    webkit_security_manager_register_uri_scheme_as_cors_enabled(security, kept->scheme.c_str());
}

}  // namespace platform::gtk
