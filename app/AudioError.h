#pragma once

#include <QString>

class QWidget;

namespace app {

// "<message>\r\n(Hata Kodu: N)" with the audio engine's last error code of this thread.
QString AudioErrorText(const QString& message);
void ShowAudioError(QWidget* parent, const QString& message);

}  // namespace app
