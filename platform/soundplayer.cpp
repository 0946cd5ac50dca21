#include "platform/soundplayer.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "platform/qtextconvert.h"

bool SoundPlayer::Open(const std::string& path) {
    path_.clear();
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return false;
    path_ = path;
    return true;
}

void SoundPlayer::Play() {
    if (path_.empty()) return;
    ++plays_;
    const QString player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (!player.isEmpty()) QProcess::startDetached(player, {QStringLiteral("-q"), ToQString(path_)});
}
