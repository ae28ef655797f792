#include "fuzzinput.h"

#include "shell/settingsfile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir home;
    const SettingsFile settings(home.path());
    {
        QFile file(settings.path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    for (const QString &key : SettingsFile::windowKeys()) {
        FUZZ_REQUIRE(settings.GetFromINI(SettingsFile::section(), key).size() <= 254);
        settings.isOn(key);
    }
    const QString &key = SettingsFile::windowKeys().at(size % SettingsFile::windowKeys().size());
    const bool on = size % 2 == 0;
    FUZZ_REQUIRE(settings.writeYesNo(key, on));
    FUZZ_REQUIRE(settings.isOn(key) == on);
    return 0;
}
