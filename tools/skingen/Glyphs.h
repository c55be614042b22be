#pragma once
// Vector icons of the skin, each drawn into a square box so that one drawing serves every size.
// Filled with the painter's current brush; no outline unless the glyph needs one for its shape.

#include <QPainterPath>
#include <QRectF>

namespace Glyphs {

QPainterPath note(const QRectF& box);                // two beamed quavers
QPainterPath disc(const QRectF& box);                // a record with its hole
QPainterPath microphone(const QRectF& box);          // a studio microphone on its stand
QPainterPath envelope(const QRectF& box);            // a closed envelope, flap drawn as a cut line
QPainterPath handset(const QRectF& box);             // a telephone handset
QPainterPath globe(const QRectF& box);               // a globe with meridians and parallels
QPainterPath pin(const QRectF& box);                 // a map pin
QPainterPath speaker(const QRectF& box, int waves);  // a loudspeaker with 0..3 sound waves
QPainterPath rightArrow(const QRectF& box);          // a chevron arrow pointing right
QPainterPath radioWaves(const QRectF& box);  // a mast with broadcast arcs, the station's mark

}  // namespace Glyphs
