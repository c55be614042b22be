#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>

class QDataStream;
class QPainter;
class TSliderThumb;

// A slider drawn only from pictures: a ruler picture built to the control's length by repeating
// its middle, and a thumb picture dragged along it. It holds an integer between a minimum and a
// maximum, optionally snapped to an increment, and lies horizontally or vertically.
// Everything here runs on the GUI thread: properties, painting, mouse, keys and the repeat timer.
class TSlider : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage ImageHThumb READ imageHThumb WRITE setImageHThumb)
    Q_PROPERTY(QImage ImageHRuler READ imageHRuler WRITE setImageHRuler)
    Q_PROPERTY(QImage ImageVThumb READ imageVThumb WRITE setImageVThumb)
    Q_PROPERTY(QImage ImageVRuler READ imageVRuler WRITE setImageVRuler)
    Q_PROPERTY(int EdgeSize READ edgeSize WRITE setEdgeSize)
    Q_PROPERTY(int NumThumbStates READ numThumbStates WRITE setNumThumbStates)
    Q_PROPERTY(TSliderOrientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(TSliderOptions Options READ options WRITE setOptions)
    Q_PROPERTY(int Increment READ increment WRITE setIncrement)
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    enum TSliderOrientation { soHorizontal, soVertical };
    Q_ENUM(TSliderOrientation)
    enum TSliderOption {
        soShowFocus = 0x1,   // a focus rectangle while focused
        soShowPoints = 0x2,  // tick marks
        soSmooth = 0x4,      // no snapping to the increment
    };
    Q_DECLARE_FLAGS(TSliderOptions, TSliderOption)
    Q_FLAG(TSliderOptions)

    // Picture slots; a horizontal slider uses the first two, a vertical one the last two.
    enum Slot { HThumb = 0, HRuler = 1, VThumb = 2, VRuler = 3 };

    // What a region of the slider, or a key, asks the value to do.
    enum class Step { None, ToMinimum, ToMaximum, Up, Down };

    explicit TSlider(QWidget* parent = nullptr);

    const QImage& imageHThumb() const { return pictures_[HThumb]; }
    const QImage& imageHRuler() const { return pictures_[HRuler]; }
    const QImage& imageVThumb() const { return pictures_[VThumb]; }
    const QImage& imageVRuler() const { return pictures_[VRuler]; }
    int edgeSize() const { return edgeSize_; }
    int numThumbStates() const;
    TSliderOrientation orientation() const { return orientation_; }
    TSliderOptions options() const { return options_; }
    int increment() const { return increment_; }
    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    int value() const { return value_; }
    // Bit i set: slot i holds a picture the owner supplied.
    quint8 userImages() const { return userImages_; }

    // A null picture puts the slot's default picture back.
    void setPicture(int slot, const QImage& picture);
    void setImageHThumb(const QImage& picture) { setPicture(HThumb, picture); }
    void setImageHRuler(const QImage& picture) { setPicture(HRuler, picture); }
    void setImageVThumb(const QImage& picture) { setPicture(VThumb, picture); }
    void setImageVRuler(const QImage& picture) { setPicture(VRuler, picture); }
    void setEdgeSize(int edgeSize);
    void setNumThumbStates(int states);
    void setOrientation(TSliderOrientation orientation);
    void setOptions(TSliderOptions options);
    void setIncrement(int increment);
    void setMinValue(int minValue);
    void setMaxValue(int maxValue);
    void setValue(int value);

    TSliderThumb* thumb() const { return thumb_; }
    // The ruler built to the control's length, as the last layout left it.
    const QImage& trackPicture() const { return track_; }

    // The stored form of the published properties: named items in property order, each picture
    // only when the owner supplied it, then the one-byte "UserImages" when that set is not
    // empty, then an empty name.
    void writeSettings(QDataStream& out) const;
    // Reads what writeSettings wrote. A stream that is cut short or holds an unknown item or an
    // impossible setting changes nothing and gives false.
    bool readSettings(QDataStream& in);

    // Every connected slot is called directly (synchronously) on the GUI thread.
Q_SIGNALS:
    void OnChange(TSlider* sender);
    // Replaces the built-in ticks on every paint while soShowPoints is set; the painter draws
    // on the slider for the duration of the call.
    void OnDrawPoints(TSlider* sender, QPainter* painter);
    void OnStartTracking(TSlider* sender);
    void OnStopTracking(TSlider* sender);

protected:
    virtual void ThumbPressed(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void ThumbDragged(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    virtual void ThumbReleased(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void DrawTicks(QPainter& painter, int step, int height, int endHeight);
    virtual void NotifyChange();

    int PixelFromValue(qint64 value) const;
    int ValueFromPixel(int pixel) const;
    void PlaceThumb(int pixel);
    void StepValue(Step step);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static QImage defaultPicture(int slot);
    bool horizontal() const { return orientation_ == soHorizontal; }
    int thumbSlot() const { return horizontal() ? HThumb : VThumb; }
    const QImage& ruler() const { return pictures_[horizontal() ? HRuler : VRuler]; }
    int travel() const;
    Step regionAt(QPoint point) const;
    void buildTrack();
    void layoutParts();
    void relayout();
    void repeatStep();
    void updateFocused();

    std::array<QImage, 4> pictures_;
    quint8 userImages_ = 0;
    int edgeSize_ = 2;
    TSliderOrientation orientation_ = soHorizontal;
    TSliderOptions options_ = TSliderOptions(soShowFocus | soShowPoints | soSmooth);
    int increment_ = 10;
    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 0;

    bool constructing_ = true;
    QImage track_;
    QImage drawnTrack_;  // track_ with its transparent colour made see-through
    QPoint trackOrigin_;
    QPoint tickOrigin_;  // top-left corner of the tick area
    TSliderThumb* thumb_ = nullptr;
    int grabOffset_ = 0;
    bool focused_ = false;
    bool sliding_ = false;
    bool trackPress_ = false;
    QTimer repeatTimer_;
    QPoint pointer_;
    Step pressRegion_ = Step::None;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSlider::TSliderOptions)
