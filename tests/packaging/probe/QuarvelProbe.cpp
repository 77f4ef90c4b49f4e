// A Qt generic plug-in that the installed-package test loads into the installed program
// (QT_PLUGIN_PATH, QT_QPA_GENERIC_PLUGINS=quarvelprobe). It drives the running program as a user
// would, through the windows' object names only, and writes one line per check into the file
// named by QUARVEL_PROBE_REPORT: "ok <what>" or "FAIL <what>: <why>". Then it closes the main
// window, so the program ends as after "Beenden".

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGenericPlugin>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QSet>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace {

QWidget *topLevel(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

class Probe : public QObject
{
public:
    Probe()
    {
        m_report.setFileName(qEnvironmentVariable("QUARVEL_PROBE_REPORT"));
        m_report.open(QIODevice::WriteOnly | QIODevice::Text);
        m_steps = {
            [this] { return waitForMainWindow(); },
            [this] { return showChart(); },
            [this] { return checkChart(); },
            [this] { return showHistory(); },
            [this] { return saveAddressBook(); },
            [this] { return answerSaveDialog(); },
            [this] { return checkAddressBook(); },
            [this] { return openHelp(); },
            [this] { return m_ticks >= m_helpTick + 8; }, // time for a complaint to show
            [this] { return finish(); },
        };
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(250);
    }

private:
    void report(bool ok, const QString &what, const QString &why = {})
    {
        const QString line = ok ? QStringLiteral("ok %1\n").arg(what)
                                : QStringLiteral("FAIL %1: %2\n").arg(what, why);
        m_report.write(line.toUtf8());
        m_report.flush();
    }

    void tick()
    {
        // A message box nobody expected ends the run: it names what went wrong.
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            report(false, QStringLiteral("message box"), box->text());
            box->done(0);
        }
        if (++m_ticks > 240) { // a minute
            report(false, QStringLiteral("timeout"), QString::number(int(m_step)));
            QApplication::exit(3);
            return;
        }
        if (m_step < m_steps.size() && m_steps[m_step]())
            ++m_step;
    }

    bool waitForMainWindow()
    {
        QWidget *main = topLevel("frmQuarvelMain");
        return main && main->isVisible() && !topLevel("frmSplash");
    }

    bool showChart()
    {
        auto *tree = topLevel("frmQuarvelMain")->findChild<QTreeWidget *>("TreeView1");
        // The first change of selection is swallowed; the second shows the chart.
        for (const char *node : {"Koordinaten", "Morse-Code"}) {
            const auto items =
                tree->findItems(QString::fromUtf8(node), Qt::MatchExactly | Qt::MatchRecursive);
            if (!items.isEmpty())
                tree->setCurrentItem(items.first());
        }
        return true;
    }

    bool checkChart()
    {
        auto *panel = topLevel("frmQuarvelMain")->findChild<QWidget *>("gboxDiagramm");
        const QImage shot = panel->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 4) {
            for (int x = 0; x < shot.width(); x += 4)
                colours.insert(shot.pixel(x, y));
        }
        report(panel->isVisible() && colours.size() > 2, QStringLiteral("chart shown"),
               QStringLiteral("%1 colours").arg(colours.size()));
        return true;
    }

    bool showHistory()
    {
        topLevel("frmQuarvelMain")->findChild<QAction *>("actInfo")->trigger();
        auto *history = topLevel("frmInfo")->findChild<QTextEdit *>("rtfHistorie");
        report(history->toPlainText().contains(QStringLiteral("Version ")),
               QStringLiteral("history shown"), history->toPlainText().left(80));
        topLevel("frmInfo")->close();
        return true;
    }

    bool saveAddressBook()
    {
        // The address book is built when first opened, so it is looked up after the action.
        topLevel("frmQuarvelMain")->findChild<QAction *>("actCacher")->trigger();
        QWidget *cacher = topLevel("frmCacher");
        if (!cacher)
            return false;
        // Queued, so the dialog's own event loop does not run inside this step.
        QMetaObject::invokeMethod(cacher->findChild<QAction *>("fSaveAs"), &QAction::trigger,
                                  Qt::QueuedConnection);
        return true;
    }

    bool answerSaveDialog()
    {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return false;
        m_savedTo = dialog->selectedFiles().value(0);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    }

    bool checkAddressBook()
    {
        const QString expected =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/Quarvel/Cacher.dat");
        report(m_savedTo == expected && QFile(expected).size() == 2 + 886,
               QStringLiteral("address book saved"),
               QStringLiteral("proposed %1, expected %2").arg(m_savedTo, expected));
        topLevel("frmCacher")->close();
        return true;
    }

    bool openHelp()
    {
        QMetaObject::invokeMethod(topLevel("frmQuarvelMain")->findChild<QAction *>("HelpContents1"),
                                  &QAction::trigger, Qt::QueuedConnection);
        m_helpTick = m_ticks;
        return true;
    }

    bool finish()
    {
        report(true, QStringLiteral("finished"));
        m_timer.stop();
        topLevel("frmQuarvelMain")->close();
        return true;
    }

    QFile m_report;
    QTimer m_timer;
    std::vector<std::function<bool()>> m_steps;
    size_t m_step = 0;
    int m_ticks = 0;
    int m_helpTick = 0;
    QString m_savedTo;
};

} // namespace

class QuarvelProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")

public:
    QObject *create(const QString &, const QString &) override { return new Probe; }
};

#include "QuarvelProbe.moc"
