// Registers the application's classes (TForm1, the titled strip) for stored descriptions,
// together with the framework's, the browser's and the skin data classes. Idempotent.
#pragma once

void RegisterAppClasses();
