// Start-up of the clip editor's and the settings dialog's modules with the toolkit units their
// stored forms use (units already started are skipped, so this may follow the program's own list).
#pragma once

void StartClipEditorUnits();
