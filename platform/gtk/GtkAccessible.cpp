#include "platform/gtk/GtkAccessible.h"

#include "platform/gtk/GtkAccessibleObject.h"

namespace platform::gtk {

GtkAccessibleBridge::GtkAccessibleBridge(GtkWidget* window, GtkWidget* layout)
    : window_(window), layout_(layout) {
    AttachAccessibleBridge(layout_, this);
}

GtkAccessibleBridge::~GtkAccessibleBridge() {
    AttachAccessibleBridge(layout_, nullptr);
    if (refreshSource_) g_source_remove(refreshSource_);
    if (pendingSource_) g_source_remove(pendingSource_);
    for (auto& [id, object] : objects_) {
        DetachNodeObject(object);
        atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(object);
    }
}

void GtkAccessibleBridge::SetSource(AccessibleSource* source) {
    source_ = source;
    stale_ = true;
    Changed();
}

void GtkAccessibleBridge::Changed() {
    // Until a tool asks for an object nothing is compared: the tree is read when asked.
    if (objects_.empty()) {
        stale_ = true;
        return;
    }
    if (refreshSource_) return;
    refreshSource_ = g_idle_add(
        [](gpointer self) -> gboolean {
            auto* bridge = static_cast<GtkAccessibleBridge*>(self);
            bridge->refreshSource_ = 0;
            bridge->Refresh();
            return G_SOURCE_REMOVE;
        },
        this);
}

void GtkAccessibleBridge::Index(const AccessibleNode& node, const std::string& parentId) {
    nodes_[node.id] = &node;
    parents_[node.id] = parentId;
    for (const AccessibleNode& child : node.children) Index(child, node.id);
}

void GtkAccessibleBridge::Snapshot() {
    stale_ = false;
    tree_ = source_ ? source_->AccessibleTree() : AccessibleNode{};
    nodes_.clear();
    parents_.clear();
    if (source_) Index(tree_, {});
}

const AccessibleNode* GtkAccessibleBridge::Node(const std::string& id) {
    if (stale_) Snapshot();
    auto it = nodes_.find(id);
    return it == nodes_.end() ? nullptr : it->second;
}

std::vector<const AccessibleNode*> GtkAccessibleBridge::TopNodes() {
    if (stale_) Snapshot();
    std::vector<const AccessibleNode*> top;
    if (!source_ || tree_.id.empty()) return top;
    if (tree_.role == AccessibleRole::Frame) {
        for (const AccessibleNode& child : tree_.children) top.push_back(&child);
    } else {
        top.push_back(&tree_);
    }
    return top;
}

int GtkAccessibleBridge::GtkChildCount() const {
    GList* children = gtk_container_get_children(GTK_CONTAINER(layout_));
    const int n = static_cast<int>(g_list_length(children));
    g_list_free(children);
    return n;
}

AtkObject* GtkAccessibleBridge::ParentObject(const std::string& id) {
    auto parent = parents_.find(id);
    if (parent == parents_.end()) return nullptr;
    // A top node's parent is the window's content.
    const bool top = parent->second.empty() ||
                     (tree_.role == AccessibleRole::Frame && parent->second == tree_.id);
    if (top) return gtk_widget_get_accessible(layout_);
    auto node = nodes_.find(parent->second);
    return node == nodes_.end() ? nullptr : ObjectFor(*node->second);
}

AtkObject* GtkAccessibleBridge::ObjectFor(const AccessibleNode& node) {
    auto it = objects_.find(node.id);
    if (it != objects_.end()) return it->second;
    AtkObject* object = NewNodeObject(this, node.id);
    objects_.emplace(node.id, object);
    if (AtkObject* parent = ParentObject(node.id)) atk_object_set_parent(object, parent);
    return object;
}

int GtkAccessibleBridge::IndexInParent(const std::string& id) {
    if (stale_) Snapshot();
    const std::vector<const AccessibleNode*> top = TopNodes();
    for (size_t i = 0; i < top.size(); ++i)
        if (top[i]->id == id) return GtkChildCount() + static_cast<int>(i);
    auto parent = parents_.find(id);
    if (parent == parents_.end()) return -1;
    auto node = nodes_.find(parent->second);
    if (node == nodes_.end()) return -1;
    const auto& siblings = node->second->children;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].id == id) return static_cast<int>(i);
    return -1;
}

TPoint GtkAccessibleBridge::ScreenOrigin() const {
    GdkWindow* window = gtk_widget_get_window(window_);
    int x = 0;
    int y = 0;
    if (window) gdk_window_get_origin(window, &x, &y);
    return {x, y};
}

void GtkAccessibleBridge::Refresh() {
    if (!source_) return;
    AccessibleNode before = std::move(tree_);
    Snapshot();
    // Removed nodes are answered for by their old parent while the removal is raised.
    for (const AccessibleChange& change : DiffAccessibleTrees(before, tree_)) Publish(change);
    // Objects of nodes that are gone (with a removed ancestor) turn defunct.
    std::vector<std::string> gone;
    for (const auto& [id, object] : objects_)
        if (!nodes_.count(id)) gone.push_back(id);
    for (const std::string& id : gone) DropObject(id);
}

namespace {

void NotifyStates(AtkObject* object, uint32_t bits, bool on) {
    struct Map {
        uint32_t bit;
        AtkStateType type;
        bool inverted;
    };
    static const Map kMap[] = {
        {kAccDisabled, ATK_STATE_ENABLED, true},       {kAccDisabled, ATK_STATE_SENSITIVE, true},
        {kAccHidden, ATK_STATE_SHOWING, true},         {kAccHidden, ATK_STATE_VISIBLE, true},
        {kAccFocusable, ATK_STATE_FOCUSABLE, false},   {kAccFocused, ATK_STATE_FOCUSED, false},
        {kAccSelectable, ATK_STATE_SELECTABLE, false}, {kAccSelected, ATK_STATE_SELECTED, false},
        {kAccCheckable, ATK_STATE_CHECKABLE, false},   {kAccChecked, ATK_STATE_CHECKED, false},
        {kAccExpandable, ATK_STATE_EXPANDABLE, false}, {kAccExpanded, ATK_STATE_EXPANDED, false},
        {kAccPressed, ATK_STATE_PRESSED, false},       {kAccActive, ATK_STATE_ACTIVE, false},
    };
    for (const Map& m : kMap)
        if (bits & m.bit) atk_object_notify_state_change(object, m.type, on != m.inverted);
}

}  // namespace

void GtkAccessibleBridge::Publish(const AccessibleChange& change) {
    switch (change.kind) {
        case AccessibleChangeKind::Added: {
            auto node = nodes_.find(change.id);
            if (node == nodes_.end()) return;
            AtkObject* parent = ParentObject(change.id);
            if (!parent) return;
            AtkObject* child = ObjectFor(*node->second);
            g_signal_emit_by_name(parent, "children-changed::add", IndexInParent(change.id), child);
            return;
        }
        case AccessibleChangeKind::Removed: {
            auto object = objects_.find(change.id);
            if (object == objects_.end()) return;
            AtkObject* parent = atk_object_get_parent(object->second);
            int index = change.index;
            if (parent == gtk_widget_get_accessible(layout_)) index += GtkChildCount();
            if (parent)
                g_signal_emit_by_name(parent, "children-changed::remove", index, object->second);
            DropObject(change.id);
            return;
        }
        case AccessibleChangeKind::StateChanged: {
            auto object = objects_.find(change.id);
            if (object == objects_.end()) return;
            AtkObject* o = object->second;
            NotifyStates(o, change.statesOff, false);
            NotifyStates(o, change.statesOn, true);
            if ((change.statesOn | change.statesOff) & kAccSelected) {
                if (AtkObject* parent = atk_object_get_parent(o))
                    g_signal_emit_by_name(parent, "selection-changed");
            }
            return;
        }
        case AccessibleChangeKind::NameChanged: {
            auto object = objects_.find(change.id);
            if (object != objects_.end())
                g_object_notify(G_OBJECT(object->second), "accessible-name");
            return;
        }
        case AccessibleChangeKind::BoundsChanged:
            return;  // tools ask for the extents when they need them
    }
}

void GtkAccessibleBridge::DropObject(const std::string& id) {
    auto it = objects_.find(id);
    if (it == objects_.end()) return;
    AtkObject* object = it->second;
    objects_.erase(it);
    DetachNodeObject(object);
    atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
    g_object_unref(object);
}

void GtkAccessibleBridge::RunActionLater(const std::string& id, int actionIndex) {
    pending_.push_back({id, actionIndex, false});
    if (!pendingSource_) {
        pendingSource_ = g_idle_add(
            [](gpointer self) -> gboolean {
                auto* bridge = static_cast<GtkAccessibleBridge*>(self);
                bridge->pendingSource_ = 0;
                bridge->RunPending();
                return G_SOURCE_REMOVE;
            },
            this);
    }
}

void GtkAccessibleBridge::SelectLater(const std::string& id, int childIndex) {
    RunActionLater(id, childIndex);
    pending_.back().select = true;
}

void GtkAccessibleBridge::RunPending() {
    std::vector<Pending> work = std::move(pending_);
    pending_.clear();
    const TLivenessWatch alive = liveness_.Watch();
    for (const Pending& p : work) {
        if (!source_) return;
        // An action may close the window and free this bridge with it.
        if (p.select)
            SelectAccessibleChild(*source_, p.id, p.index);
        else
            RunAccessibleAction(*source_, p.id, p.index);
        if (!alive.Alive()) return;
    }
}

}  // namespace platform::gtk
