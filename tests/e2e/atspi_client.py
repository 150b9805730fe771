"""A small assistive-technology client for the end-to-end accessibility test.

It reads a running program's accessible objects over AT-SPI (libatspi through
gi.repository.Atspi) as a screen reader does, and prints what it found, one fact a line:

  atspi_client.py tabs <pid> <caption>     lists the page tabs, selects the second
  atspi_client.py close <pid> <caption>    invokes the "click" action of "Close"
  atspi_client.py menubar <pid> <caption>  walks the menu bar's menus and items, then opens
                                           the first menu and reads the popup

Every wait has a deadline; a missing object ends with exit code 1 and a line saying what.
"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

DEADLINE_SECONDS = 15
# The binding names an action by get_action_name, which libatspi marks deprecated in favour
# of a get_name that Python cannot reach (Accessible's own get_name hides it).
warnings.filterwarnings("ignore", category=DeprecationWarning)


def fail(what):
    print("atspi: " + what, flush=True)
    sys.exit(1)


def wait_for(what, find):
    end = time.monotonic() + DEADLINE_SECONDS
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > end:
            fail("timed out waiting for " + what)
        # Events reach their listeners from the main context.
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)


def frame_of(pid, caption):
    def find():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None:
                continue
            try:
                if app.get_process_id() != pid:
                    continue
                for j in range(app.get_child_count()):
                    win = app.get_child_at_index(j)
                    if win is not None and win.get_name() == caption:
                        return win
            except GLib.Error:
                continue
        return None

    return wait_for("the window \"%s\" of process %d" % (caption, pid), find)


def walk(node, depth=0):
    yield node, depth
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find_role(root, role, name=None):
    for node, _ in walk(root):
        if node.get_role() == role and (name is None or node.get_name() == name):
            return node
    return None


def states(node):
    # Read now, not from the client's cache.
    node.clear_cache()
    return node.get_state_set()


def tabs(pid, caption):
    frame = frame_of(pid, caption)
    print("frame: %s %s" % (frame.get_role_name(), frame.get_name()), flush=True)
    tab_list = wait_for("a page tab list", lambda: find_role(frame, Atspi.Role.PAGE_TAB_LIST))
    pages = [tab_list.get_child_at_index(i) for i in range(tab_list.get_child_count())]
    print("tabs: " + "|".join(p.get_name() for p in pages), flush=True)
    if len(pages) < 2:
        fail("fewer than two tabs")
    selected = [p.get_name() for p in pages if states(p).contains(Atspi.StateType.SELECTED)]
    print("selected before: " + "|".join(selected), flush=True)
    if not Atspi.Selection.select_child(tab_list, 1):
        fail("the tab list refused to select the second tab")
    wait_for("the second tab selected",
             lambda: states(pages[1]).contains(Atspi.StateType.SELECTED)
             and not states(pages[0]).contains(Atspi.StateType.SELECTED))
    print("selected: " + pages[1].get_name(), flush=True)


def close(pid, caption):
    frame = frame_of(pid, caption)
    button = wait_for("the Close button",
                      lambda: find_role(frame, Atspi.Role.PUSH_BUTTON, "Close"))
    names = [Atspi.Action.get_action_name(button, i) for i in range(Atspi.Action.get_n_actions(button))]
    print("close actions: " + "|".join(names), flush=True)
    if "click" not in names:
        fail("Close has no click action")
    print("close key: " + Atspi.Action.get_key_binding(button, names.index("click")), flush=True)
    Atspi.Action.do_action(button, names.index("click"))
    print("clicked: Close", flush=True)


def menubar(pid, caption):
    frame = frame_of(pid, caption)
    bar = wait_for("a menu bar", lambda: find_role(frame, Atspi.Role.MENU_BAR))
    for i in range(bar.get_child_count()):
        menu = bar.get_child_at_index(i)
        items = []
        for j in range(menu.get_child_count()):
            item = menu.get_child_at_index(j)
            name = item.get_name() or "-"
            if item.get_role() == Atspi.Role.CHECK_MENU_ITEM:
                name += "[x]" if states(item).contains(Atspi.StateType.CHECKED) else "[ ]"
            if not states(item).contains(Atspi.StateType.ENABLED):
                name += "(disabled)"
            items.append(name)
        print("menu %s %s: %s" % (menu.get_role_name(), menu.get_name(), "|".join(items)),
              flush=True)
    # Opening the first menu: the screen reader hears the item expand and finds the popup.
    first = bar.get_child_at_index(0)
    heard = []
    listener = Atspi.EventListener.new(
        lambda event: heard.append(event.source.get_name()) if event.detail1 else None)
    listener.register("object:state-changed:expanded")
    Atspi.Action.do_action(first, 0)
    wait_for("the expanded event of " + first.get_name(), lambda: first.get_name() in heard)
    print("expanded: " + first.get_name(), flush=True)
    app = frame.get_parent()

    def popup():
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is None or window.get_name() == caption:
                continue
            found = find_role(window, Atspi.Role.MENU)
            if found is not None and found.get_child_count() > 0:
                return found
        return None

    menu = wait_for("the popup menu", popup)
    print("popup: " + "|".join(menu.get_child_at_index(i).get_name() or "-"
                               for i in range(menu.get_child_count())), flush=True)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("tabs", "close", "menubar"):
        fail("usage: atspi_client.py tabs|close|menubar <pid> <caption>")
    {"tabs": tabs, "close": close, "menubar": menubar}[sys.argv[1]](int(sys.argv[2]), sys.argv[3])


if __name__ == "__main__":
    main()
