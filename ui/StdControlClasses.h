// Registers the menu, image list, label, panel and page control classes for stored
// descriptions. Both functions are idempotent; RegisterStdControlClasses includes the menus.
#pragma once

void RegisterMenuClasses();
void RegisterStdControlClasses();
