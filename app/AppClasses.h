// Registers the application's classes (TForm1, the titled strip) for stored descriptions,
// together with the framework's and the browser's. Idempotent.
#pragma once

void RegisterAppClasses();
