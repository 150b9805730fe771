// What assistive technology sees of a window: a tree of accessible nodes (role, name,
// states, actions, children, bounds) that the framework builds from its controls and a
// backend publishes (GTK: ATK objects over AT-SPI; headless: read by tests). The parts of
// a skinned window are drawn on one canvas, so this tree is the only way a screen reader
// learns about them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Types.h"

namespace platform {

enum class AccessibleRole {
    Frame,
    Window,
    Panel,
    Filler,
    Label,
    PushButton,
    PageTabList,
    PageTab,
    MenuBar,
    Menu,
    MenuItem,
    CheckMenuItem,
    RadioMenuItem,
    Separator,
    ToolTip,
};

// State bits. A node without kAccDisabled is enabled; without kAccHidden it is showing.
enum : uint32_t {
    kAccDisabled = 0x0001,
    kAccHidden = 0x0002,
    kAccFocusable = 0x0004,
    kAccFocused = 0x0008,
    kAccSelectable = 0x0010,
    kAccSelected = 0x0020,
    kAccCheckable = 0x0040,
    kAccChecked = 0x0080,
    kAccExpandable = 0x0100,
    kAccExpanded = 0x0200,
    kAccPressed = 0x0400,
    kAccActive = 0x0800,
};

struct AccessibleAction {
    std::string name;  // "click", "press"
    std::function<void()> run;
};

struct AccessibleNode {
    // Stable between two builds of the tree for the same part (the backend keeps its
    // objects by it): the parent's id, "/", and a name of the part.
    std::string id;
    AccessibleRole role = AccessibleRole::Panel;
    std::string name;
    std::string description;
    // The short cut that runs the node's first action ("Alt+F4"), empty for none.
    std::string accelerator;
    uint32_t states = 0;
    TRect bounds{};  // window coordinates
    std::vector<AccessibleAction> actions;
    // A selection container (a page tab list) selects a child by index; empty otherwise.
    std::function<void(int childIndex)> selectChild;
    std::vector<AccessibleNode> children;

    [[nodiscard]] bool Has(uint32_t state) const { return (states & state) != 0; }
    // Depth first, this node included; nullptr when absent.
    [[nodiscard]] const AccessibleNode* Find(const std::string& nodeId) const;
    [[nodiscard]] const AccessibleNode* FindByName(AccessibleRole nodeRole,
                                                   const std::string& nodeName) const;
    // The index of the action with the name, -1 when absent.
    [[nodiscard]] int ActionIndex(const std::string& actionName) const;
};

// What changed between two builds of a tree, as events a screen reader listens to.
enum class AccessibleChangeKind { Added, Removed, StateChanged, NameChanged, BoundsChanged };

struct AccessibleChange {
    AccessibleChangeKind kind;
    std::string id;
    std::string parentId;  // Added and Removed: the parent's id
    int index = -1;        // Added and Removed: the position in the parent
    uint32_t statesOn = 0;
    uint32_t statesOff = 0;
};

// Nodes are matched by id: a node of `after` without a match under the same parent is
// Added, one of `before` Removed (its descendants go with it, unreported). Matched nodes
// report their state, name and bounds changes, parents before children.
[[nodiscard]] std::vector<AccessibleChange> DiffAccessibleTrees(const AccessibleNode& before,
                                                                const AccessibleNode& after);

// The framework's side: the window's current tree (built again when it may have changed).
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    [[nodiscard]] virtual const AccessibleNode& AccessibleTree() = 0;
};

// Runs an action (or selects a child) of the node with the id in the current tree. The
// callback is copied out first: running it may rebuild the tree or free the window. False
// when the node or the action is gone.
bool RunAccessibleAction(AccessibleSource& source, const std::string& nodeId, int actionIndex);
bool SelectAccessibleChild(AccessibleSource& source, const std::string& nodeId, int childIndex);

}  // namespace platform
