#pragma once

// Whether the visual-styles library can be loaded in this process. Tested
// once, under the module lock, and remembered.
bool IsThemingAvailable();
