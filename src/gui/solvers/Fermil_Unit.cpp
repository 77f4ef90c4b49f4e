#include "gui/solvers/Fermil_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ScreenFit.h"
#include "logic/solvers/FermilabCode.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *makeBox(const char *name, const QColor &colour, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    QFont font = box->font();
    font.setPointSizeF(DesignSize::fontPoints(17));
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
    return box;
}

QPushButton *makeFlatButton(const QString &text, const char *name, const QColor &colour,
                            QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    QFont font = button->font();
    font.setPointSizeF(DesignSize::fontPoints(20));
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
    return button;
}

} // namespace

TfrmFermilab::TfrmFermilab(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmFermilab"));
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    mFermilab = makeBox("mFermilab", QColor(255, 0, 0), this);
    sbtnSolve =
        makeFlatButton(QStringLiteral("Entschlüsseln"), "sbtnSolve", QColor(128, 0, 128), this);
    mSolve = makeBox("mSolve", QColor(0, 128, 0), this);
    limitPasteLength(mFermilab, m_context.dialogs);
    limitPasteLength(mSolve, m_context.dialogs);
    sbtnClose = makeFlatButton(QStringLiteral("Schließen"), "sbtnClose", QColor(0, 189, 0), this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mFermilab, 1);
    layout->addWidget(sbtnSolve);
    layout->addWidget(mSolve, 1);
    layout->addWidget(sbtnClose);

    resize(DesignSize::size(this, 871, 662));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);

    connect(sbtnSolve, &QPushButton::clicked, this, [this] { sbtnSolveClick(); });
    connect(sbtnClose, &QPushButton::clicked, this, [this] { sbtnCloseClick(); });
    FormCreate();
}

void TfrmFermilab::FormCreate()
{
    guarded(m_context.dialogs, this, [this] {
        setWindowTitle(QStringLiteral("Fermilab-Solver"));
        mFermilab->clear();
        mSolve->clear();
    });
}

void TfrmFermilab::sbtnSolveClick()
{
    guarded(m_context.dialogs, this, [this] {
        // An empty box holds no line: the last result stays.
        const QString coded = mFermilab->toPlainText();
        if (coded.isEmpty())
            return;
        mSolve->setPlainText(FermilabDecode(coded));
    });
}

void TfrmFermilab::sbtnCloseClick()
{
    guarded(m_context.dialogs, this, [this] { close(); });
}
