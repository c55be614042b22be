#include "AudioError.h"

#include "Audio.h"
#include "MessageBox.h"

namespace app {

QString AudioErrorText(const QString& message) {
    return message + QStringLiteral("\r\n(Hata Kodu: ") + QString::number(audio::ErrorGetCode()) +
           QLatin1Char(')');
}

void ShowAudioError(QWidget* parent, const QString& message) {
    ShowMessage(parent, AudioErrorText(message));
}

}  // namespace app
