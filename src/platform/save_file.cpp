#include "platform/save_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace savefile {

bool replace(const QString &path, QByteArrayView bytes, QString *reason, Links links)
{
    // QSaveFile writes through a link to its target; the link goes first when it must not.
    if (links == Links::Replace && QFileInfo(path).isSymLink()) {
        QFile link(path);
        if (!link.remove()) {
            *reason = link.errorString();
            return false;
        }
    }
    // Unbuffered, and every write checked: a buffered QSaveFile flushes on commit() and, when
    // that flush writes only part of the data (disk full, file size limit), still commits the
    // cut file. A short write is retried so that the failing call reports the real cause.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            *reason = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace savefile
