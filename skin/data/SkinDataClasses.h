// Registers the skin data classes for stored form descriptions. Idempotent.
#pragma once

void RegisterSkinDataClasses();
