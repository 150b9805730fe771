// The window's accessible tree (platform/Accessible.h) as ATK objects, which GTK's bridge
// publishes over AT-SPI. The window's content is a GtkLayout whose accessible lists, after
// the native views' own objects, the tree's nodes: a frame root's children (the window's
// GtkWindow accessible already is the frame, named by the title), any other root (a popup
// menu, a tool tip) itself. Each node is an AtkObject with AtkComponent, AtkAction and
// AtkSelection, kept by the node's id while the node lasts; after something was presented
// the tree is read again and the differences are raised as ATK signals.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Liveness.h"
#include "platform/Accessible.h"

namespace platform::gtk {

class GtkAccessibleBridge {
public:
    GtkAccessibleBridge(GtkWidget* window, GtkWidget* layout);
    ~GtkAccessibleBridge();
    GtkAccessibleBridge(const GtkAccessibleBridge&) = delete;
    GtkAccessibleBridge& operator=(const GtkAccessibleBridge&) = delete;

    void SetSource(AccessibleSource* source);
    // The tree may have changed: compared with the published one from the main loop, once
    // an assistive tool has asked for any of its objects.
    void Changed();

    // ---- For the ATK objects ----
    [[nodiscard]] const AccessibleNode* Node(const std::string& id);
    // The nodes listed under the window's content.
    [[nodiscard]] std::vector<const AccessibleNode*> TopNodes();
    // The node's object (owned by the bridge; callers add a reference to hand it out).
    [[nodiscard]] AtkObject* ObjectFor(const AccessibleNode& node);
    // The index of a node among its parent's accessible children.
    [[nodiscard]] int IndexInParent(const std::string& id);
    // Screen position of the window's (0, 0).
    [[nodiscard]] TPoint ScreenOrigin() const;
    // Run from the main loop: the caller (an AT-SPI request) gets its answer first, and an
    // action may free the window.
    void RunActionLater(const std::string& id, int actionIndex);
    void SelectLater(const std::string& id, int childIndex);

private:
    struct Pending {
        std::string id;
        int index;
        bool select;
    };
    void Snapshot();
    void Refresh();
    void RunPending();
    void Index(const AccessibleNode& node, const std::string& parentId);
    [[nodiscard]] AtkObject* ParentObject(const std::string& id);
    [[nodiscard]] int GtkChildCount() const;
    void Publish(const AccessibleChange& change);
    void DropObject(const std::string& id);

    GtkWidget* window_;
    GtkWidget* layout_;
    AccessibleSource* source_ = nullptr;
    AccessibleNode tree_;  // the published tree
    bool stale_ = true;
    std::unordered_map<std::string, const AccessibleNode*> nodes_;
    std::unordered_map<std::string, std::string> parents_;
    std::unordered_map<std::string, AtkObject*> objects_;  // one reference each
    guint refreshSource_ = 0;
    guint pendingSource_ = 0;
    std::vector<Pending> pending_;
    TLiveness liveness_;
};

// A GtkLayout whose accessible adds the nodes of the bridge set with AttachAccessibleBridge.
[[nodiscard]] GtkWidget* NewAccessibleLayout();
void AttachAccessibleBridge(GtkWidget* layout, GtkAccessibleBridge* bridge);

}  // namespace platform::gtk
