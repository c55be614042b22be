// The stored form of TSlider's published properties.
#include <QDataStream>
#include <algorithm>
#include <array>

#include "slider.h"
#include "sliderthumb.h"

using namespace Qt::StringLiterals;

namespace {

const std::array<QString, 4> kPictureItems = {u"ImageHThumb"_s, u"ImageHRuler"_s, u"ImageVThumb"_s,
                                              u"ImageVRuler"_s};

void writeInt(QDataStream& out, const QString& name, int value) {
    out << name << qint32(value);
}

}  // namespace

void TSlider::writeSettings(QDataStream& out) const {
    for (int slot = HThumb; slot <= VRuler; ++slot) {
        if (userImages_ & (1u << slot))
            out << kPictureItems[slot] << pictures_[slot];
    }
    if (edgeSize_ != 2)
        writeInt(out, u"EdgeSize"_s, edgeSize_);
    writeInt(out, u"NumThumbStates"_s, numThumbStates());
    if (orientation_ != soHorizontal)
        writeInt(out, u"Orientation"_s, orientation_);
    writeInt(out, u"Options"_s, int(options_.toInt()));
    writeInt(out, u"Increment"_s, increment_);
    writeInt(out, u"MinValue"_s, minValue_);
    writeInt(out, u"MaxValue"_s, maxValue_);
    writeInt(out, u"Value"_s, value_);
    if (userImages_ != 0)
        out << u"UserImages"_s << userImages_;
    out << QString();
}

// Items not in the stream take their values at creation, so a slider reads back the same
// whatever it held before. The stored values are taken as they are rather than through the
// setters: the setters' order would refuse some that were valid when saved (a minimum above
// the default maximum, an edge size set before a shorter ruler was supplied).
bool TSlider::readSettings(QDataStream& in) {
    std::array<QImage, 4> pictures;
    quint8 userImages = 0;
    qint32 edgeSize = 2, states = 2, orientation = soHorizontal;
    qint32 options = soShowFocus | soShowPoints | soSmooth;
    qint32 increment = 10, minValue = 0, maxValue = 100, value = 0;
    const std::array<std::pair<QString, qint32*>, 8> ints = {{{u"EdgeSize"_s, &edgeSize},
                                                              {u"NumThumbStates"_s, &states},
                                                              {u"Orientation"_s, &orientation},
                                                              {u"Options"_s, &options},
                                                              {u"Increment"_s, &increment},
                                                              {u"MinValue"_s, &minValue},
                                                              {u"MaxValue"_s, &maxValue},
                                                              {u"Value"_s, &value}}};
    for (;;) {
        QString name;
        in >> name;
        if (in.status() != QDataStream::Ok)
            return false;
        if (name.isEmpty())
            break;
        const auto picture = std::find(kPictureItems.begin(), kPictureItems.end(), name);
        const auto integer = std::find_if(ints.begin(), ints.end(),
                                          [&](const auto& item) { return item.first == name; });
        if (picture != kPictureItems.end())
            in >> pictures[picture - kPictureItems.begin()];
        else if (integer != ints.end())
            in >> *integer->second;
        else if (name == u"UserImages"_s)
            in >> userImages;
        else
            return false;
    }
    if (in.status() != QDataStream::Ok)
        return false;
    for (int slot = HThumb; slot <= VRuler; ++slot) {
        const bool supplied = userImages & (1u << slot);
        if (supplied == pictures[slot].isNull())
            return false;
    }
    if (userImages > 0x0f || states < 1 || states > 2 ||
        (orientation != soHorizontal && orientation != soVertical) ||
        (options & ~(soShowFocus | soShowPoints | soSmooth)) || increment <= 0 ||
        minValue >= maxValue || edgeSize < 0)
        return false;

    for (int slot = HThumb; slot <= VRuler; ++slot)
        pictures_[slot] = pictures[slot].isNull() ? defaultPicture(slot) : pictures[slot];
    userImages_ = userImages;
    edgeSize_ = edgeSize;
    orientation_ = TSliderOrientation(orientation);
    options_ = TSliderOptions::fromInt(options);
    increment_ = increment;
    minValue_ = minValue;
    maxValue_ = maxValue;
    value_ = value;
    thumb_->setNumCells(states);

    // Loading ends: the thumb takes the picture of its orientation and the parts are laid out,
    // then each supplied picture passes through its setter once more.
    thumb_->setPicture(pictures_[thumbSlot()]);
    relayout();
    for (int slot = HThumb; slot <= VRuler; ++slot) {
        if (userImages_ & (1u << slot))
            setPicture(slot, pictures_[slot]);
    }
    return true;
}
