#include "slider.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "sliderthumb.h"
#include "transparentcolour.h"

using namespace Qt::StringLiterals;

// Process-wide state of the slider unit, made once by the first slider, on the GUI thread:
// the resources of the default pictures (a static library's resources register only when
// asked) and the hand cursor that every thumb shows.
static const QCursor& handCursor() {
    static const QCursor cursor = [] {
        Q_INIT_RESOURCE(slider);
        return QCursor(Qt::PointingHandCursor);
    }();
    return cursor;
}

namespace {

// Nearest integer, halves to the even neighbour; saturates where an int cannot hold it.
int roundHalfEven(double x) {
    const double r = std::nearbyint(x);
    if (!(r > double(INT_MIN)))
        return INT_MIN;
    if (r > double(INT_MAX))
        return INT_MAX;
    return int(r);
}

int clampToRange(qint64 v, int low, int high) {
    return int(std::max<qint64>(std::min<qint64>(v, high), low));
}

}  // namespace

TSlider::TSlider(QWidget* parent) : QWidget(parent) {
    resize(140, 40);
    setFocusPolicy(Qt::StrongFocus);

    thumb_ = new TSliderThumb(this);
    thumb_->setCursor(handCursor());
    connect(thumb_, &TSliderThumb::OnMouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) {
                ThumbPressed(b, m, p.x(), p.y());
            });
    connect(thumb_, &TSliderThumb::OnMouseMove, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, QPoint p) {
                ThumbDragged(b, m, p.x(), p.y());
            });
    connect(thumb_, &TSliderThumb::OnMouseUp, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) {
                ThumbReleased(b, m, p.x(), p.y());
            });

    for (int slot = HThumb; slot <= VRuler; ++slot)
        setPicture(slot, QImage());
    layoutParts();
    constructing_ = false;

    repeatTimer_.setInterval(400);
    connect(&repeatTimer_, &QTimer::timeout, this, &TSlider::repeatStep);
}

QImage TSlider::defaultPicture(int slot) {
    static const std::array<QString, 4> names = {u":/slider/W95_HTB"_s, u":/slider/W95_HRL"_s,
                                                 u":/slider/W95_VTB"_s, u":/slider/W95_VRL"_s};
    return QImage(names[slot], "BMP");
}

int TSlider::numThumbStates() const {
    return thumb_->numCells();
}

void TSlider::setPicture(int slot, const QImage& picture) {
    if (slot < HThumb || slot > VRuler)
        return;
    if (!picture.isNull()) {
        pictures_[slot] = picture.copy();
        userImages_ |= quint8(1u << slot);
    } else {
        pictures_[slot] = defaultPicture(slot);
        userImages_ &= quint8(~(1u << slot));
    }
    if (slot == thumbSlot())
        thumb_->setPicture(pictures_[slot]);
    if (!constructing_)
        relayout();
}

// A negative edge size would read the caps from outside the ruler; it is refused like one too
// large for the ruler.
void TSlider::setEdgeSize(int edgeSize) {
    const int length = horizontal() ? ruler().width() : ruler().height();
    if (edgeSize < 0 || qint64(edgeSize) * 2 >= length || edgeSize == edgeSize_)
        return;
    edgeSize_ = edgeSize;
    relayout();
}

void TSlider::setNumThumbStates(int states) {
    if (states < 1 || states > 2)
        return;
    thumb_->setNumCells(states);
}

void TSlider::setOrientation(TSliderOrientation orientation) {
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    thumb_->setPicture(pictures_[thumbSlot()]);
    relayout();
}

void TSlider::setOptions(TSliderOptions options) {
    if (options == options_)
        return;
    options_ = options;
    update();
}

void TSlider::setIncrement(int increment) {
    if (increment <= 0 || increment == increment_)
        return;
    increment_ = increment;
    setValue(value_);
    update();
}

// The value and the thumb stay where they are: only the ticks depend on the range alone.
void TSlider::setMinValue(int minValue) {
    if (minValue == minValue_ || minValue > qint64(maxValue_) - increment_)
        return;
    minValue_ = minValue;
    if (options_ & soShowPoints)
        update();
}

void TSlider::setMaxValue(int maxValue) {
    if (maxValue == maxValue_ || maxValue < qint64(minValue_) + increment_)
        return;
    maxValue_ = maxValue;
    if (options_ & soShowPoints)
        update();
}

// The stored value is not snapped to the increment; only the thumb's position is.
void TSlider::setValue(int value) {
    value = std::max(std::min(value, maxValue_), minValue_);
    const bool changed = value != value_;
    value_ = value;
    PlaceThumb(PixelFromValue(value));
    if (changed)
        NotifyChange();
}

void TSlider::NotifyChange() {
    Q_EMIT OnChange(this);
}

int TSlider::travel() const {
    return horizontal() ? track_.width() - thumb_->width() : track_.height() - thumb_->height();
}

int TSlider::PixelFromValue(qint64 value) const {
    const double range = double(qint64(maxValue_) - minValue_);
    const int x = roundHalfEven(double(travel() * (value - minValue_)) / range);
    return horizontal() ? x : height() - x - thumb_->height();
}

int TSlider::ValueFromPixel(int pixel) const {
    if (!horizontal())
        pixel = height() - pixel - thumb_->height();
    const int length = travel();
    // A slider no longer than its thumb has nowhere to travel: every position is the minimum.
    qint64 r = 0;
    if (length > 0)
        r = roundHalfEven(double(pixel * (qint64(maxValue_) - minValue_)) / length);
    if (!(options_ & soSmooth))
        r = r / increment_ * increment_;
    return clampToRange(r + minValue_, INT_MIN, INT_MAX);
}

void TSlider::PlaceThumb(int pixel) {
    const int old = value_;
    pixel = std::max(std::min(pixel, travel()), 0);
    if (!(options_ & soSmooth))
        pixel = PixelFromValue(ValueFromPixel(pixel));
    if (horizontal())
        thumb_->move(pixel, thumb_->y());
    else
        thumb_->move(thumb_->x(), pixel);
    if (sliding_) {
        value_ = ValueFromPixel(pixel);
        if (value_ != old)
            NotifyChange();
    }
}

// Steps count in whole increments from 0, not from the minimum.
void TSlider::StepValue(Step step) {
    const qint64 base = qint64(value_) / increment_ * increment_;
    switch (step) {
        case Step::None:
            return;
        case Step::ToMinimum:
            setValue(minValue_);
            return;
        case Step::ToMaximum:
            setValue(maxValue_);
            return;
        case Step::Up:
            setValue(clampToRange(base + increment_, minValue_, maxValue_));
            return;
        case Step::Down:
            setValue(clampToRange(base - increment_, minValue_, maxValue_));
            return;
    }
}

// Values grow to the right and upwards.
TSlider::Step TSlider::regionAt(QPoint point) const {
    const QRect t = thumb_->geometry();
    if (horizontal()) {
        if (point.x() < t.x())
            return Step::Down;
        return point.x() > t.x() + t.width() ? Step::Up : Step::None;
    }
    if (point.y() < t.y())
        return Step::Up;
    return point.y() > t.y() + t.height() ? Step::Down : Step::None;
}

// The ruler is read as two caps of EdgeSize pixels around a middle part; the caps appear once
// and the middle is repeated until the track is as long as the control.
void TSlider::buildTrack() {
    const QImage r = ruler().convertToFormat(QImage::Format_RGB32);
    const bool h = horizontal();
    const int len = std::max(h ? width() : height(), 0);
    const int img = h ? r.width() : r.height();
    const int across = h ? r.height() : r.width();
    const int e = edgeSize_;
    const qint64 t = img - 2 * qint64(e);
    const qint64 a = len - 2 * qint64(e);

    track_ =
        h ? QImage(len, across, QImage::Format_RGB32) : QImage(across, len, QImage::Format_RGB32);
    track_.fill(kTransparentColour);
    // A ruler replaced by one too short for the edge size has no middle to repeat.
    if (t > 0 && a / t >= 0) {
        const qint64 count = a / t + 1;
        const qint64 rest = a % t;
        QPainter painter(&track_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const auto copy = [&](qint64 target, qint64 length, qint64 source) {
            if (h)
                painter.drawImage(QPoint(int(target), 0),
                                  r.copy(int(source), 0, int(length), across));
            else
                painter.drawImage(QPoint(0, int(target)),
                                  r.copy(0, int(source), across, int(length)));
        };
        for (qint64 i = 0; i < count; ++i) {
            if (i == 0)
                copy(0, img - e, 0);
            else if (i == count - 1)
                copy(e + i * t, e + rest, e + t - rest);
            else
                copy(e + i * t, t, e);
        }
    }
    drawnTrack_ = withTransparentColour(track_);
}

void TSlider::layoutParts() {
    buildTrack();
    const QSize thumb = thumb_->size();
    if (horizontal()) {
        const int trackHeight = track_.height();
        if (trackHeight < thumb.height()) {
            thumb_->move(0, 0);
            trackOrigin_ = QPoint(0, (thumb.height() - trackHeight) / 2);
            tickOrigin_ = QPoint(trackOrigin_.x(), thumb.height() + 1);
        } else {
            thumb_->move(0, (trackHeight - thumb.height()) / 2);
            trackOrigin_ = QPoint(0, 0);
            tickOrigin_ = QPoint(trackOrigin_.x(), trackHeight + 1);
        }
    } else {
        const int trackWidth = track_.width();
        if (trackWidth < thumb.width()) {
            thumb_->move(0, 0);
            trackOrigin_ = QPoint((thumb.width() - trackWidth) / 2, 0);
            tickOrigin_ = QPoint(thumb.width() + 1, trackOrigin_.y());
        } else {
            thumb_->move((trackWidth - thumb.width()) / 2, 0);
            trackOrigin_ = QPoint(0, 0);
            tickOrigin_ = QPoint(trackWidth + 1, trackOrigin_.y());
        }
    }
    setValue(value_);
}

void TSlider::relayout() {
    layoutParts();
    update();
}

void TSlider::resizeEvent(QResizeEvent*) {
    relayout();
}

void TSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (track_.width() >= 1)
        painter.drawImage(trackOrigin_, drawnTrack_);
    if ((options_ & soShowFocus) && focused_) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
        painter.setPen(QPen());
    }
    if (options_ & soShowPoints) {
        if (isSignalConnected(QMetaMethod::fromSignal(&TSlider::OnDrawPoints)))
            Q_EMIT OnDrawPoints(this, &painter);
        else
            DrawTicks(painter, increment_, 3, 4);
    }
}

// Ticks are spaced by the smallest multiple of the step that leaves at least 3 free pixels
// between two of them; the maximum gets no tick when the range is not a multiple of that.
void TSlider::DrawTicks(QPainter& painter, int step, int height, int endHeight) {
    if (step <= 0)
        return;
    const qint64 length = travel();
    const qint64 range = qint64(maxValue_) - minValue_;
    qint64 spacing = step;
    for (qint64 n = 1;; ++n) {
        spacing = n * step;
        const qint64 intervals = range / spacing;
        const qint64 gap = intervals > 0 ? (length - intervals - 1) / intervals : length;
        if (gap >= 3 || gap == length)
            break;
    }
    for (qint64 v = minValue_; v <= maxValue_; v += spacing) {
        const int tick = (v == minValue_ || v == maxValue_) ? endHeight : height;
        if (tick <= 0)
            continue;
        if (horizontal()) {
            const int x = PixelFromValue(v) + thumb_->width() / 2;
            painter.drawLine(x, tickOrigin_.y(), x, tickOrigin_.y() + tick - 1);
        } else {
            const int y = PixelFromValue(v) + thumb_->height() / 2;
            painter.drawLine(tickOrigin_.x(), y, tickOrigin_.x() + tick - 1, y);
        }
    }
}

// Keys with Shift, Alt or Control held, and keys outside the table, go on to the owner.
void TSlider::keyPressEvent(QKeyEvent* event) {
    Step step = Step::None;
    if (!(event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier))) {
        switch (event->key()) {
            case Qt::Key_Home:
                step = Step::ToMinimum;
                break;
            case Qt::Key_End:
                step = Step::ToMaximum;
                break;
            case Qt::Key_Left:
                step = horizontal() ? Step::Down : Step::None;
                break;
            case Qt::Key_Right:
                step = horizontal() ? Step::Up : Step::None;
                break;
            case Qt::Key_Up:
                step = horizontal() ? Step::None : Step::Up;
                break;
            case Qt::Key_Down:
                step = horizontal() ? Step::None : Step::Down;
                break;
            default:
                break;
        }
    }
    if (step == Step::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    StepValue(step);
}

void TSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    trackPress_ = true;
    pointer_ = event->position().toPoint();
    pressRegion_ = regionAt(pointer_);
    repeatStep();
}

// The second press of a double click starts no track press.
void TSlider::mouseDoubleClickEvent(QMouseEvent*) {}

void TSlider::mouseMoveEvent(QMouseEvent* event) {
    if (trackPress_)
        pointer_ = event->position().toPoint();
}

void TSlider::mouseReleaseEvent(QMouseEvent*) {
    if (!trackPress_)
        return;
    repeatTimer_.stop();
    trackPress_ = false;
}

// The thumb steps towards the pointer and stops once it has reached it: from then on the
// pointer lies in another region than where the press began.
void TSlider::repeatStep() {
    if (regionAt(pointer_) != pressRegion_)
        return;
    StepValue(pressRegion_);
    if (!repeatTimer_.isActive())
        repeatTimer_.start();
}

void TSlider::ThumbPressed(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    setFocus(Qt::MouseFocusReason);
    if (button != Qt::LeftButton)
        return;
    grabOffset_ = horizontal() ? x : y;
    sliding_ = true;
    thumb_->setPressed(true);
    Q_EMIT OnStartTracking(this);
}

void TSlider::ThumbDragged(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
    const QPoint p = mapFromGlobal(thumb_->mapToGlobal(QPoint(x, y)));
    if (!(buttons & Qt::LeftButton))
        return;
    PlaceThumb(horizontal() ? p.x() - grabOffset_ : p.y() - grabOffset_);
}

void TSlider::ThumbReleased(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    sliding_ = false;
    thumb_->setPressed(false);
    Q_EMIT OnStopTracking(this);
}

void TSlider::focusInEvent(QFocusEvent*) {
    updateFocused();
}

void TSlider::focusOutEvent(QFocusEvent*) {
    updateFocused();
}

void TSlider::updateFocused() {
    const bool focused = hasFocus();
    if (focused == focused_)
        return;
    focused_ = focused;
    if (options_ & soShowFocus)
        update();
}
