// The drop effect the drag source shows, chosen from the keys and what the source allows.
#include "drop/drop_target.h"

bool ChooseDropEffect(bool dataAccepted, DWORD keyState, DWORD* effect) {
  const DWORD allowed = *effect;
  // Only Ctrl and Shift count: the mouse buttons and Alt never change the effect.
  const bool control = (keyState & MK_CONTROL) != 0;
  const bool shift = (keyState & MK_SHIFT) != 0;
  DWORD chosen = DROPEFFECT_NONE;
  if (!dataAccepted) {
    chosen = DROPEFFECT_NONE;
  } else if (control && shift) {
    // Ctrl and Shift together would ask for a link; the keys never choose one.
    chosen = DROPEFFECT_NONE;
  } else if (control) {
    chosen = (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  } else if (shift) {
    chosen = (allowed & DROPEFFECT_MOVE) != 0 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  } else if ((allowed & DROPEFFECT_COPY) != 0) {
    chosen = DROPEFFECT_COPY;
  } else if ((allowed & DROPEFFECT_MOVE) != 0) {
    chosen = DROPEFFECT_MOVE;
  } else if ((allowed & DROPEFFECT_LINK) != 0) {
    chosen = DROPEFFECT_LINK;
  }
  *effect = chosen;
  return chosen != DROPEFFECT_NONE;
}
