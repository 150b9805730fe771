#include "platform/Accessible.h"

#include <unordered_map>

namespace platform {

const AccessibleNode* AccessibleNode::Find(const std::string& nodeId) const {
    if (id == nodeId) return this;
    // Ids are paths: only the child whose id starts the wanted one can hold it.
    for (const AccessibleNode& child : children) {
        if (nodeId.compare(0, child.id.size(), child.id) != 0) continue;
        if (const AccessibleNode* found = child.Find(nodeId)) return found;
    }
    return nullptr;
}

const AccessibleNode* AccessibleNode::FindByName(AccessibleRole nodeRole,
                                                 const std::string& nodeName) const {
    if (role == nodeRole && name == nodeName) return this;
    for (const AccessibleNode& child : children)
        if (const AccessibleNode* found = child.FindByName(nodeRole, nodeName)) return found;
    return nullptr;
}

int AccessibleNode::ActionIndex(const std::string& actionName) const {
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i].name == actionName) return static_cast<int>(i);
    return -1;
}

namespace {

AccessibleChange Change(AccessibleChangeKind kind, const std::string& id,
                        const std::string& parentId = {}, int index = -1) {
    AccessibleChange c{kind, id, parentId, index, 0, 0};
    return c;
}

void DiffNodes(const AccessibleNode& before, const AccessibleNode& after,
               std::vector<AccessibleChange>& out) {
    if (before.states != after.states) {
        AccessibleChange c = Change(AccessibleChangeKind::StateChanged, after.id);
        c.statesOn = after.states & ~before.states;
        c.statesOff = before.states & ~after.states;
        out.push_back(c);
    }
    if (before.name != after.name)
        out.push_back(Change(AccessibleChangeKind::NameChanged, after.id));
    if (before.bounds != after.bounds)
        out.push_back(Change(AccessibleChangeKind::BoundsChanged, after.id));

    std::unordered_map<std::string, const AccessibleNode*> old;
    for (const AccessibleNode& c : before.children) old.emplace(c.id, &c);
    std::unordered_map<std::string, bool> kept;
    for (const AccessibleNode& c : after.children) kept.emplace(c.id, old.count(c.id) != 0);
    for (size_t i = 0; i < before.children.size(); ++i) {
        const AccessibleNode& c = before.children[i];
        if (!kept.count(c.id))
            out.push_back(
                Change(AccessibleChangeKind::Removed, c.id, before.id, static_cast<int>(i)));
    }
    for (size_t i = 0; i < after.children.size(); ++i) {
        const AccessibleNode& c = after.children[i];
        auto match = old.find(c.id);
        if (match == old.end())
            out.push_back(Change(AccessibleChangeKind::Added, c.id, after.id, static_cast<int>(i)));
        else
            DiffNodes(*match->second, c, out);
    }
}

}  // namespace

std::vector<AccessibleChange> DiffAccessibleTrees(const AccessibleNode& before,
                                                  const AccessibleNode& after) {
    std::vector<AccessibleChange> out;
    if (before.id != after.id) {
        // Another root: everything under it is new.
        out.push_back(Change(AccessibleChangeKind::Removed, before.id, {}, 0));
        out.push_back(Change(AccessibleChangeKind::Added, after.id, {}, 0));
        return out;
    }
    DiffNodes(before, after, out);
    return out;
}

bool RunAccessibleAction(AccessibleSource& source, const std::string& nodeId, int actionIndex) {
    const AccessibleNode* node = source.AccessibleTree().Find(nodeId);
    if (!node || actionIndex < 0 || actionIndex >= static_cast<int>(node->actions.size()))
        return false;
    const std::function<void()> run = node->actions[static_cast<size_t>(actionIndex)].run;
    if (!run) return false;
    run();
    return true;
}

bool SelectAccessibleChild(AccessibleSource& source, const std::string& nodeId, int childIndex) {
    const AccessibleNode* node = source.AccessibleTree().Find(nodeId);
    if (!node || !node->selectChild || childIndex < 0 ||
        childIndex >= static_cast<int>(node->children.size()))
        return false;
    const std::function<void(int)> select = node->selectChild;
    select(childIndex);
    return true;
}

}  // namespace platform
