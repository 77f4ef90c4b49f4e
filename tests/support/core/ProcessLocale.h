#pragma once

#include <QLocale>
#include <QString>

#include <string>
#include <vector>

// The process locales the number tests run under: the program must read and write its numbers
// the same way under every one of them, since Qt takes the locale from the user's environment.
namespace TestLocales {

// Lets the C library find the locales the build compiled into its own folder, unless LOCPATH
// already names a folder. Must run before the application object takes the locale from the
// environment.
void useBuildLocales();

// C, POSIX and the UTF-8 locales of our users and of the conventions that differ most from ours.
const std::vector<std::string> &userLocales();

// A locale name as a test name: "de_DE.UTF-8" becomes "de_DE_UTF_8".
std::string testName(const std::string &locale);

} // namespace TestLocales

// Switches the whole process, the C library and Qt's default locale, to one locale for its
// lifetime, and back afterwards.
class ScopedProcessLocale
{
public:
    explicit ScopedProcessLocale(const std::string &name);
    ~ScopedProcessLocale();
    ScopedProcessLocale(const ScopedProcessLocale &) = delete;
    ScopedProcessLocale &operator=(const ScopedProcessLocale &) = delete;

    // False when the C library has no such locale; nothing was changed then.
    bool active() const { return m_active; }

private:
    std::string m_previousC;
    QLocale m_previousQt;
    bool m_active = false;
};
