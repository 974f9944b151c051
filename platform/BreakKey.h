#pragma once
// Ctrl+Break, the key that asks a running model to stop. Keyboards and display
// servers deliver it differently: as Cancel, as Ctrl+Pause, or (X11, where
// Ctrl+Pause becomes the Break keysym that Qt has no key code for) as an
// unknown key whose native keysym is Break.
class QKeyEvent;

bool IsBreakKey(const QKeyEvent* key);
