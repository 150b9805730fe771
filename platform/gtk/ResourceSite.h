// A web site compiled into the program as GLib resources and served to the web engine on a
// URI scheme of the program's own, so the program needs no files beside it and works from
// wherever it is installed or copied. "puzzlebin://site/soft/pb/1.html" is the resource
// "<root>/soft/pb/1.html"; an address ending in "/" is that folder's "index.html".
#pragma once

#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform::gtk {

struct ResourceSite {
    std::string scheme;        // "puzzlebin"
    std::string host;          // "site": other hosts on the scheme are not found
    std::string resourceRoot;  // "/net/puzzlebin/Puzzlebin/site", no trailing slash
};

// The resource path a request's (still percent-encoded) path names, or "" when it names
// none: undecodable escapes, an encoded "/" or NUL, or ".." segments that leave the root.
[[nodiscard]] std::string ResourcePathFor(const std::string& resourceRoot,
                                          const std::string& uriPath);

// The MIME type served for a resource, by its extension; "application/octet-stream" for
// anything else.
[[nodiscard]] const char* MimeTypeFor(const std::string& resourcePath);

// Registers the scheme on the context with the security settings a local site needs:
// its pages are a secure context, may fetch each other, and cannot be loaded or linked
// to from pages on the web.
void RegisterResourceSite(WebKitWebContext* context, const ResourceSite& site);

}  // namespace platform::gtk
