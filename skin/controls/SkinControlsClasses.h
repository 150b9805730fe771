// Registers the skinned control classes, with every published property, for stored form
// descriptions (also the framework's and the skin data classes they build on). Idempotent.
#pragma once

void RegisterSkinControlsClasses();
