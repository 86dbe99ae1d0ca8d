#pragma once
// One Tesvarin per user session: two would each save their whole lists and folders, and the
// last to save would silently undo the other's changes.
#include <windows.h>
#include "frame/vlastnici.h"

class jedina_instance {
public:
  // Creates the session's named mutex, or opens it when another Tesvarin holds it.
  jedina_instance();

  // Whether this is the only Tesvarin of the session; the mutex stays held while this lives.
  bool prvni() const { return prvni_; }

private:
  kestrum::handle_jadra mutex_;
  bool prvni_ = false;
};

// Brings the running Tesvarin's window (class "tesvarin") to the front, restored if it is
// minimised, or the dialog it shows over it, without waiting for that program. A Tesvarin
// that is still starting has a few seconds to show its window; false when none came.
bool ukaz_bezici_instanci();
