// The ATK object of an accessible node: every answer is read from the node the bridge
// holds for the object's id, so the object follows the tree as it is read again, and turns
// defunct when its node is gone. Types are registered by hand (no G_DEFINE_TYPE macros) to
// keep the function signatures exact.
#include "platform/gtk/GtkAccessibleObject.h"

#include <gtk/gtk-a11y.h>

#include "platform/gtk/GtkAccessible.h"

namespace platform::gtk {
namespace {

struct NodeObject {
    AtkObject parent;
    GtkAccessibleBridge* bridge;
    std::string* id;
    std::string* keybinding;  // the last answer of get_keybinding, kept for the caller
};

struct NodeObjectClass {
    AtkObjectClass parent;
};

gpointer nodeParentClass = nullptr;
gpointer layoutAccessibleParentClass = nullptr;
const char kBridgeKey[] = "pb-accessible-bridge";

GType NodeObjectType();

NodeObject* Self(gpointer object) {
    return G_TYPE_CHECK_INSTANCE_TYPE(object, NodeObjectType()) ? static_cast<NodeObject*>(object)
                                                                : nullptr;
}

const AccessibleNode* NodeOf(gpointer object) {
    NodeObject* self = Self(object);
    return self && self->bridge ? self->bridge->Node(*self->id) : nullptr;
}

AtkRole RoleOf(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Frame:
            return ATK_ROLE_FRAME;
        case AccessibleRole::Window:
            return ATK_ROLE_WINDOW;
        case AccessibleRole::Panel:
            return ATK_ROLE_PANEL;
        case AccessibleRole::Filler:
            return ATK_ROLE_FILLER;
        case AccessibleRole::Label:
            return ATK_ROLE_LABEL;
        case AccessibleRole::PushButton:
            return ATK_ROLE_PUSH_BUTTON;
        case AccessibleRole::PageTabList:
            return ATK_ROLE_PAGE_TAB_LIST;
        case AccessibleRole::PageTab:
            return ATK_ROLE_PAGE_TAB;
        case AccessibleRole::MenuBar:
            return ATK_ROLE_MENU_BAR;
        case AccessibleRole::Menu:
            return ATK_ROLE_MENU;
        case AccessibleRole::MenuItem:
            return ATK_ROLE_MENU_ITEM;
        case AccessibleRole::CheckMenuItem:
            return ATK_ROLE_CHECK_MENU_ITEM;
        case AccessibleRole::RadioMenuItem:
            return ATK_ROLE_RADIO_MENU_ITEM;
        case AccessibleRole::Separator:
            return ATK_ROLE_SEPARATOR;
        case AccessibleRole::ToolTip:
            return ATK_ROLE_TOOL_TIP;
    }
    return ATK_ROLE_UNKNOWN;
}

// ---------------------------------------------------------------- AtkObject

const gchar* GetName(AtkObject* object) {
    const AccessibleNode* node = NodeOf(object);
    return node ? node->name.c_str() : "";
}

const gchar* GetDescription(AtkObject* object) {
    const AccessibleNode* node = NodeOf(object);
    return node ? node->description.c_str() : "";
}

AtkRole GetRole(AtkObject* object) {
    const AccessibleNode* node = NodeOf(object);
    return node ? RoleOf(node->role) : ATK_ROLE_INVALID;
}

gint GetNChildren(AtkObject* object) {
    const AccessibleNode* node = NodeOf(object);
    return node ? static_cast<gint>(node->children.size()) : 0;
}

AtkObject* RefChild(AtkObject* object, gint index) {
    NodeObject* self = Self(object);
    const AccessibleNode* node = NodeOf(object);
    if (!node || index < 0 || index >= static_cast<gint>(node->children.size())) return nullptr;
    return ATK_OBJECT(
        g_object_ref(self->bridge->ObjectFor(node->children[static_cast<size_t>(index)])));
}

gint GetIndexInParent(AtkObject* object) {
    NodeObject* self = Self(object);
    return self && self->bridge ? self->bridge->IndexInParent(*self->id) : -1;
}

void AddState(AtkStateSet* set, uint32_t states, uint32_t bit, AtkStateType type) {
    if (states & bit) atk_state_set_add_state(set, type);
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    const AccessibleNode* node = NodeOf(object);
    if (!node) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    const uint32_t s = node->states;
    if (!(s & kAccDisabled)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (!(s & kAccHidden)) {
        atk_state_set_add_state(set, ATK_STATE_VISIBLE);
        atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    AddState(set, s, kAccFocusable, ATK_STATE_FOCUSABLE);
    AddState(set, s, kAccFocused, ATK_STATE_FOCUSED);
    AddState(set, s, kAccSelectable, ATK_STATE_SELECTABLE);
    AddState(set, s, kAccSelected, ATK_STATE_SELECTED);
    AddState(set, s, kAccCheckable, ATK_STATE_CHECKABLE);
    AddState(set, s, kAccChecked, ATK_STATE_CHECKED);
    AddState(set, s, kAccExpandable, ATK_STATE_EXPANDABLE);
    AddState(set, s, kAccExpanded, ATK_STATE_EXPANDED);
    AddState(set, s, kAccPressed, ATK_STATE_PRESSED);
    AddState(set, s, kAccActive, ATK_STATE_ACTIVE);
    return set;
}

void NodeFinalize(GObject* object) {
    NodeObject* self = static_cast<NodeObject*>(static_cast<gpointer>(object));
    delete self->id;
    delete self->keybinding;
    G_OBJECT_CLASS(nodeParentClass)->finalize(object);
}

void NodeClassInit(gpointer klass, gpointer) {
    nodeParentClass = g_type_class_peek_parent(klass);
    G_OBJECT_CLASS(klass)->finalize = NodeFinalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = GetName;
    atk->get_description = GetDescription;
    atk->get_role = GetRole;
    atk->get_n_children = GetNChildren;
    atk->ref_child = RefChild;
    atk->get_index_in_parent = GetIndexInParent;
    atk->ref_state_set = RefStateSet;
}

void NodeInit(GTypeInstance* instance, gpointer) {
    NodeObject* self = static_cast<NodeObject*>(static_cast<gpointer>(instance));
    self->bridge = nullptr;
    self->id = new std::string;
    self->keybinding = new std::string;
}

// ---------------------------------------------------------------- AtkComponent

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType coordType) {
    NodeObject* self = Self(component);
    const AccessibleNode* node = NodeOf(component);
    TRect r = node ? node->bounds : TRect{};
    if (node && coordType == ATK_XY_SCREEN) {
        const TPoint o = self->bridge->ScreenOrigin();
        r = OffsetRect(r, o.X, o.Y);
    }
    if (x) *x = r.Left;
    if (y) *y = r.Top;
    if (width) *width = r.Width();
    if (height) *height = r.Height();
}

void ComponentInit(gpointer iface, gpointer) {
    static_cast<AtkComponentIface*>(iface)->get_extents = GetExtents;
}

// ---------------------------------------------------------------- AtkAction

gint GetNActions(AtkAction* action) {
    const AccessibleNode* node = NodeOf(action);
    return node ? static_cast<gint>(node->actions.size()) : 0;
}

const AccessibleAction* ActionAt(AtkAction* action, gint index) {
    const AccessibleNode* node = NodeOf(action);
    if (!node || index < 0 || index >= static_cast<gint>(node->actions.size())) return nullptr;
    return &node->actions[static_cast<size_t>(index)];
}

gboolean DoAction(AtkAction* action, gint index) {
    if (!ActionAt(action, index)) return FALSE;
    NodeObject* self = Self(action);
    self->bridge->RunActionLater(*self->id, index);
    return TRUE;
}

const gchar* GetActionName(AtkAction* action, gint index) {
    const AccessibleAction* a = ActionAt(action, index);
    return a ? a->name.c_str() : nullptr;
}

const gchar* GetKeybinding(AtkAction* action, gint index) {
    // "<mnemonic>;<sequence>;<short cut>": the node's short cut belongs to its first action.
    const AccessibleNode* node = NodeOf(action);
    if (!ActionAt(action, index) || index != 0 || node->accelerator.empty()) return nullptr;
    NodeObject* self = Self(action);
    *self->keybinding = ";;" + node->accelerator;
    return self->keybinding->c_str();
}

void ActionInit(gpointer iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(iface);
    a->do_action = DoAction;
    a->get_n_actions = GetNActions;
    a->get_name = GetActionName;
    a->get_keybinding = GetKeybinding;
}

// ---------------------------------------------------------------- AtkSelection

gboolean AddSelection(AtkSelection* selection, gint index) {
    const AccessibleNode* node = NodeOf(selection);
    if (!node || !node->selectChild || index < 0 ||
        index >= static_cast<gint>(node->children.size()))
        return FALSE;
    NodeObject* self = Self(selection);
    self->bridge->SelectLater(*self->id, index);
    return TRUE;
}

std::vector<const AccessibleNode*> SelectedChildren(AtkSelection* selection) {
    std::vector<const AccessibleNode*> out;
    const AccessibleNode* node = NodeOf(selection);
    if (!node || !node->selectChild) return out;
    for (const AccessibleNode& c : node->children)
        if (c.Has(kAccSelected)) out.push_back(&c);
    return out;
}

AtkObject* RefSelection(AtkSelection* selection, gint index) {
    const std::vector<const AccessibleNode*> selected = SelectedChildren(selection);
    if (index < 0 || index >= static_cast<gint>(selected.size())) return nullptr;
    return ATK_OBJECT(
        g_object_ref(Self(selection)->bridge->ObjectFor(*selected[static_cast<size_t>(index)])));
}

gint GetSelectionCount(AtkSelection* selection) {
    return static_cast<gint>(SelectedChildren(selection).size());
}

gboolean IsChildSelected(AtkSelection* selection, gint index) {
    const AccessibleNode* node = NodeOf(selection);
    return node && node->selectChild && index >= 0 &&
           index < static_cast<gint>(node->children.size()) &&
           node->children[static_cast<size_t>(index)].Has(kAccSelected);
}

void SelectionInit(gpointer iface, gpointer) {
    auto* s = static_cast<AtkSelectionIface*>(iface);
    s->add_selection = AddSelection;
    s->ref_selection = RefSelection;
    s->get_selection_count = GetSelectionCount;
    s->is_child_selected = IsChildSelected;
}

GType NodeObjectType() {
    static const GType type = [] {
        GTypeInfo info{};
        info.class_size = sizeof(NodeObjectClass);
        info.class_init = NodeClassInit;
        info.instance_size = sizeof(NodeObject);
        info.instance_init = NodeInit;
        const GType t =
            g_type_register_static(ATK_TYPE_OBJECT, "PbAccessibleNode", &info, GTypeFlags(0));
        const GInterfaceInfo component{ComponentInit, nullptr, nullptr};
        const GInterfaceInfo action{ActionInit, nullptr, nullptr};
        const GInterfaceInfo selection{SelectionInit, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
        g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
        g_type_add_interface_static(t, ATK_TYPE_SELECTION, &selection);
        return t;
    }();
    return type;
}

// ---------------------------------------------------------------- the content's accessible

GtkAccessibleBridge* BridgeOfAccessible(AtkObject* object) {
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(object));
    return widget ? LayoutBridge(widget) : nullptr;
}

gint LayoutNChildren(AtkObject* object) {
    gint n = ATK_OBJECT_CLASS(layoutAccessibleParentClass)->get_n_children(object);
    if (GtkAccessibleBridge* bridge = BridgeOfAccessible(object))
        n += static_cast<gint>(bridge->TopNodes().size());
    return n;
}

AtkObject* LayoutRefChild(AtkObject* object, gint index) {
    AtkObjectClass* parent = ATK_OBJECT_CLASS(layoutAccessibleParentClass);
    const gint own = parent->get_n_children(object);
    if (index < own) return parent->ref_child(object, index);
    GtkAccessibleBridge* bridge = BridgeOfAccessible(object);
    if (!bridge) return nullptr;
    const std::vector<const AccessibleNode*> top = bridge->TopNodes();
    const size_t i = static_cast<size_t>(index - own);
    if (i >= top.size()) return nullptr;
    return ATK_OBJECT(g_object_ref(bridge->ObjectFor(*top[i])));
}

void LayoutAccessibleClassInit(gpointer klass, gpointer) {
    layoutAccessibleParentClass = g_type_class_peek_parent(klass);
    ATK_OBJECT_CLASS(klass)->get_n_children = LayoutNChildren;
    ATK_OBJECT_CLASS(klass)->ref_child = LayoutRefChild;
}

// A subclass of a type whose structures are not ours: sizes from the type system.
GType Subclass(GType parent, const char* name, GClassInitFunc classInit) {
    GTypeQuery query;
    g_type_query(parent, &query);
    GTypeInfo info{};
    info.class_size = static_cast<guint16>(query.class_size);
    info.class_init = classInit;
    info.instance_size = static_cast<guint16>(query.instance_size);
    return g_type_register_static(parent, name, &info, GTypeFlags(0));
}

GType LayoutAccessibleType() {
    static const GType type = Subclass(GTK_TYPE_CONTAINER_ACCESSIBLE,
                                       "PbAccessibleLayoutAccessible", LayoutAccessibleClassInit);
    return type;
}

void LayoutClassInit(gpointer klass, gpointer) {
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), LayoutAccessibleType());
}

}  // namespace

AtkObject* NewNodeObject(GtkAccessibleBridge* bridge, const std::string& id) {
    auto* object = static_cast<NodeObject*>(g_object_new(NodeObjectType(), nullptr));
    object->bridge = bridge;
    *object->id = id;
    atk_object_initialize(ATK_OBJECT(object), nullptr);
    return ATK_OBJECT(object);
}

void DetachNodeObject(AtkObject* object) {
    if (NodeObject* self = Self(object)) self->bridge = nullptr;
}

GType AccessibleLayoutType() {
    static const GType type = Subclass(GTK_TYPE_LAYOUT, "PbAccessibleLayout", LayoutClassInit);
    return type;
}

GtkAccessibleBridge* LayoutBridge(GtkWidget* layout) {
    return static_cast<GtkAccessibleBridge*>(g_object_get_data(G_OBJECT(layout), kBridgeKey));
}

GtkWidget* NewAccessibleLayout() {
    return GTK_WIDGET(g_object_new(AccessibleLayoutType(), nullptr));
}

void AttachAccessibleBridge(GtkWidget* layout, GtkAccessibleBridge* bridge) {
    g_object_set_data(G_OBJECT(layout), kBridgeKey, bridge);
}

}  // namespace platform::gtk
