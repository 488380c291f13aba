#pragma once

// Registers the compiled-in resources (icons, logos, style sheet). The resources live in a
// static library, whose initialiser the linker would otherwise drop; calling twice is harmless.
void korvelInitResources();
