#include "support/core/ProcessLocale.h"

#include <QtGlobal>

#include <clocale>

namespace TestLocales {

void useBuildLocales()
{
#ifdef QUARVEL_TEST_LOCALE_DIR
    if (qEnvironmentVariableIsEmpty("LOCPATH"))
        qputenv("LOCPATH", QUARVEL_TEST_LOCALE_DIR);
#endif
}

const std::vector<std::string> &userLocales()
{
    static const std::vector<std::string> names = {
        "C",           "POSIX",       "de_DE.UTF-8", "de_AT.UTF-8",
        "de_CH.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8", "tr_TR.UTF-8",
    };
    return names;
}

std::string testName(const std::string &locale)
{
    std::string name = locale;
    for (char &c : name) {
        if (c == '.' || c == '-')
            c = '_';
    }
    return name;
}

} // namespace TestLocales

ScopedProcessLocale::ScopedProcessLocale(const std::string &name)
{
    const char *previous = std::setlocale(LC_ALL, nullptr);
    m_previousC = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, name.c_str()))
        return;
    m_active = true;
    // "C" and "POSIX" are Qt's C locale; the others name language and country before the ".".
    const QString qtName = QString::fromStdString(name).section(u'.', 0, 0);
    QLocale::setDefault(qtName == QLatin1String("POSIX") ? QLocale::c() : QLocale(qtName));
}

ScopedProcessLocale::~ScopedProcessLocale()
{
    if (!m_active)
        return;
    std::setlocale(LC_ALL, m_previousC.c_str());
    QLocale::setDefault(m_previousQt);
}
