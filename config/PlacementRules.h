#pragma once
// What the workspace restores of a stored placement or font, whatever the file
// holds. Plain rules, no widgets:
// - A show command is normal, minimised (2, 6, 7) or maximised (3); any other
//   value (hidden among them) shows the window normally.
// - A normal rectangle whose width or height is not between 1 and 32767 pixels
//   gives no place: the window keeps its default place. Its corner is kept
//   within a million pixels of the origin, so that arithmetic on it is safe.
// - A rectangle that meets none of the screens (or, for a child, none of the
//   area it may be shown in) is moved onto the first one, as the desktop's own
//   placement call does, sized down to fit it.
// - A font is used when its face name ends within its 32 bytes and its height
//   is at most 500 pixels either way (0 picks the face's default height);
//   otherwise the editor keeps the font it has.
#include <QList>
#include <QMargins>
#include <QRect>

#include "platform/Win32Types.h"

inline constexpr int kMaxWindowExtent = 32767;
inline constexpr int kMaxCorner = 1 << 20;
inline constexpr int kMaxFontHeight = 500;

// `placement` with its show command made one of 1, 2, 3 and its rectangle kept
// only when usable (else all zero).
WINDOWPLACEMENT SanitizedPlacement(const WINDOWPLACEMENT& placement);
// True when the (sanitized) placement's rectangle gives a place.
bool HasPlace(const WINDOWPLACEMENT& placement);
// The rectangle of `placement` moved onto bounds[0] when it meets none of
// `bounds`; unchanged when `bounds` is empty or the placement has no place.
WINDOWPLACEMENT PlacedOnBounds(const WINDOWPLACEMENT& placement, const QList<QRect>& bounds);
bool FontUsable(const LOGFONTA& font);

// The main frame's normal rectangle `client` (its inside) placed so that, with
// the window manager's `border` around it, it lies wholly on one of `screens`
// (available areas, the primary first): unchanged when it already does; else
// on the screen it overlaps most (the first when it meets none), moved on and,
// where it is larger than that screen, made smaller. Unchanged when `screens`
// is empty or `client` is empty.
QRect FittedOnScreens(const QRect& client, const QMargins& border, const QList<QRect>& screens);
// A frame of `size` centred on `screen` with its border, made smaller where
// it does not fit (FittedOnScreens).
QRect CentredOnScreen(const QSize& size, const QMargins& border, const QRect& screen);
