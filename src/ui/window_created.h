#pragma once

// Handler of the main window's created event: fills in and creates the default output directory
// and makes the drop area ready.
void OnWindowCreated();
