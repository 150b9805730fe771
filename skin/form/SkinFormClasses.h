// Registers TspSkinForm and its stored properties with the class registry, so that a form
// description can hold a skinned frame. Idempotent.
#pragma once

void RegisterSkinFormClasses();
