#pragma once
// The preview of the clean: the clean's own source checks, walk and decisions on the
// source text that the window holds now, deleting nothing and opening nothing for deletion.
// The log names what the clean would delete (a folder with the files it holds and their
// size) and what it would leave and report, and ends with what it would take in all. It
// decides from the listings alone, as the clean does: what only a delete finds out (a file
// in use, missing rights, a link to a file that the platform lists as a plain file, as
// Wine does) is named as it would go.
#include <windows.h>
#include "engine/operace.h"

// The preview: S_OK when the walk ran; E_INVALIDARG when the source is not usable (the
// clean's box has been shown and the log is empty).
HRESULT nahled_cisteni(const zadani_cisteni& zadani, okno_operace& okno);
