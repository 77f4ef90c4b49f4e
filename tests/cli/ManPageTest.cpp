// The manual page of quarvel-cli names every subcommand of the program with all its names, so a
// new subcommand cannot ship without its line there.
#include "cli/CommandTable.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString manPage()
{
    QFile file(QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../data/packaging/man/quarvel-cli.1"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(CliManPage, NamesEverySubcommandWithItsAlias)
{
    const QString page = manPage();
    ASSERT_FALSE(page.isEmpty()) << "data/packaging/man/quarvel-cli.1 not found";
    // A subcommand's entry: ".B name" or ".BR name ", " alias" at the start of a line.
    for (const Cli::Command &command : Cli::commandTable()) {
        const QString line = command.names.join(QStringLiteral(" \", \" "));
        SCOPED_TRACE(line.toStdString());
        const QRegularExpression entry(QStringLiteral("^\\.BR? ") +
                                           QRegularExpression::escape(line) + QStringLiteral("$"),
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(entry.match(page).hasMatch());
    }
}
