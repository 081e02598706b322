#pragma once

// Whether the visual-styles library is there in this process. Tested once
// and remembered, without the module lock: DllMain takes that lock under
// the loader lock, so nothing may wait for the loader while holding it.
bool IsThemingAvailable();
