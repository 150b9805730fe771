// Registers the framework's classes (controls, forms, timer, and the menu and standard
// control classes) for stored descriptions. Idempotent.
#pragma once

void RegisterUiClasses();
