// Draws the reference charts that ship beside the program. Run by the build with the output
// folder as its only argument; the pictures depend on nothing but this code and the DejaVu
// fonts, so every build writes the same files.

#include "ChartCanvas.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <functional>

namespace {

struct ChartFile
{
    const char *name;
    std::function<QImage()> draw;
};

bool write(const QImage &image, const QString &path)
{
    QImageWriter writer(path);
    if (path.endsWith(QLatin1String(".jpg"))) {
        writer.setFormat("jpeg");
        writer.setQuality(92);
        writer.setOptimizedWrite(true);
    } else {
        writer.setFormat("png");
        writer.setQuality(0); // smallest file; PNG stays lossless
    }
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "chartgen: %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: chartgen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "chartgen: cannot create %s\n", argv[1]);
        return 1;
    }
    const ChartFile charts[] = {
        {"Braille_Alphabet.jpg", drawBraille},
        {"Zahlenwerte.jpg", drawLetterValues},
        {"dancing_men_cypher.jpg", drawDancingMen},
        {"Flaggenalphabet.png", drawFlags},
        {"Freimaurer_Code.jpg", drawPigpen},
        {"Hexenschrift.jpg", drawTheban},
        {"Morse_Code.jpg", drawMorse},
        {"Roemische_Zahlen.jpg", drawRoman},
        {"Stabzahlen.jpg", drawRodNumerals},
    };
    bool ok = true;
    for (const ChartFile &chart : charts)
        ok = write(chart.draw(), out.filePath(QString::fromLatin1(chart.name))) && ok;
    return ok ? 0 : 1;
}
