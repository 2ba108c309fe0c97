#pragma once

// Makes the icons compiled into the GUI library available; needed once
// before the first icon is loaded (a static library's resources are not
// registered by themselves).
void InitGuiResources();
