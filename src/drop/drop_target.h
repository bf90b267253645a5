// The file drop target: makes one window an OLE drop area for files and raises FilesDropped.
#pragma once

#include <windows.h>
// The lean windows.h leaves OLE out.
#include <ole2.h>

#include <cstdint>

// The switches kept in the layout's stored record: five 32-bit little-endian words, a version
// (which must be 1), then acceptText, acceptHtml, acceptUrl and acceptFiles.
struct DropTargetSettings {
  int32_t acceptText = 0;
  int32_t acceptHtml = 0;
  int32_t acceptUrl = 0;
  int32_t acceptFiles = 0;
};

// Reads the stored record; false (and all switches off) for a missing, short or newer record.
bool ReadDropTargetSettings(const unsigned char* record, uint32_t size, DropTargetSettings* out);

struct DropTarget;

// Constructs the object for the unit (windowId, unitId); obtains the drag-image helper if it can.
DropTarget* CreateDropTarget(uint32_t windowId, uint32_t unitId,
                             const DropTargetSettings& settings);

// Revokes the drop area, releases the helper and frees the object.
void DestroyDropTarget(DropTarget* target);

// Makes `windowHandle` the object's drop area. A second call returns false and changes nothing.
bool RegisterDropWindow(DropTarget* target, uint32_t windowHandle);

// The object's IDropTarget, as OLE sees it.
IDropTarget* AsDropTarget(DropTarget* target);

// Chooses the drop effect from the keys and the effects the source allows (in `effect` on entry);
// true when the chosen effect is not DROPEFFECT_NONE.
bool ChooseDropEffect(bool dataAccepted, DWORD keyState, DWORD* effect);
