// Registers the browser classes (TWebControl, TWebPane) for stored descriptions.
// Idempotent; the program and tests call it after RegisterUiClasses().
#pragma once

void RegisterBrowserClasses();
