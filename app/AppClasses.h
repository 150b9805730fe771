// Registers the application's class TForm1 for stored descriptions, together with the
// framework's, the browser's and the skin engine's classes. Idempotent.
#pragma once

void RegisterAppClasses();
