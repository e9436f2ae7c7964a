// rpanel_screenshots: the program's windows in one language or all of them, as PNG files.
// Whether every text fits where it is shown is the window tour test's business (tests/app).
//
//   rpanel_screenshots [--lang TAG | --all] [--out DIR] [--only NAME,...]
//
//   --lang TAG   one language, named as its string table is (en-US, de-DE, es-ES_tradnl...);
//                the default is en-US
//   --all        every language of the program
//   --out DIR    write DIR/<TAG>/<window>.png
//   --only ...   write only these windows (main-panel, about, viewer-paper...)
//
// It draws offscreen unless QT_QPA_PLATFORM names another platform.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTextStream>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/embedded_string_tables.h"
#include "core/string_table.h"
#include "window_tour.h"

namespace {

using namespace rpanel;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 3;

struct Options {
    std::vector<const EmbeddedStringTable*> languages;
    QString outDir;
    QStringList only;
};

const EmbeddedStringTable* LanguageNamed(const QString& tag) {
    for (std::size_t i = 0; i < kEmbeddedStringTableCount; ++i) {
        if (tag.compare(QLatin1String(kEmbeddedStringTables[i].tag), Qt::CaseInsensitive) == 0) {
            return &kEmbeddedStringTables[i];
        }
    }
    return nullptr;
}

std::optional<Options> ParseOptions(const QStringList& args, QTextStream& err) {
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--all")) {
            for (std::size_t t = 0; t < kEmbeddedStringTableCount; ++t) {
                options.languages.push_back(&kEmbeddedStringTables[t]);
            }
        } else if (arg == QLatin1String("--lang") && hasValue) {
            const EmbeddedStringTable* language = LanguageNamed(args[++i]);
            if (language == nullptr) {
                err << "rpanel_screenshots: no string table for " << args[i] << '\n';
                return std::nullopt;
            }
            options.languages.push_back(language);
        } else if (arg == QLatin1String("--out") && hasValue) {
            options.outDir = args[++i];
        } else if (arg == QLatin1String("--only") && hasValue) {
            options.only = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else {
            err << "usage: rpanel_screenshots [--lang TAG | --all] [--out DIR] [--only NAME,...]\n";
            return std::nullopt;
        }
    }
    if (options.languages.empty()) {
        options.languages.push_back(LanguageNamed(QStringLiteral("en-US")));
    }
    return options;
}

// Window pictures hold few colours: where there are at most 256, a palette stores them
// exactly in a third of the room.
QImage CompactImage(const QImage& picture) {
    constexpr qsizetype kPaletteSize = 256;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(line[x]);
            if (colours.size() > kPaletteSize) {
                return image;
            }
        }
    }
    // In a fixed order, so that the same picture makes the same file.
    QList<QRgb> palette(colours.begin(), colours.end());
    std::sort(palette.begin(), palette.end());
    return image.convertToFormat(QImage::Format_Indexed8, palette);
}

// One language: its windows written. False when a window or a file could not be made.
bool RunLanguage(const EmbeddedStringTable& language, const Options& options, QTextStream& err) {
    SelectLanguage(language.language);
    const QString tag = QLatin1String(language.tag);
    const QDir dir(options.outDir + QLatin1Char('/') + tag);
    if (!options.outDir.isEmpty() && !dir.mkpath(QStringLiteral("."))) {
        err << "rpanel_screenshots: cannot create " << dir.path() << '\n';
        return false;
    }
    bool written = true;
    QString error;
    const bool toured = TourWindows(
        [&](const QString& name, QWidget& window) {
            if (!options.outDir.isEmpty() &&
                (options.only.isEmpty() || options.only.contains(name))) {
                const QString path = dir.filePath(name + QStringLiteral(".png"));
                if (!CompactImage(window.grab().toImage()).save(path)) {
                    err << "rpanel_screenshots: cannot write " << path << '\n';
                    written = false;
                }
            }
        },
        &error);
    if (!toured) {
        err << "rpanel_screenshots: " << tag << ": " << error << '\n';
        return false;
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    // The same pictures on every machine: drawn offscreen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const std::optional<Options> options = ParseOptions(app.arguments().mid(1), err);
    if (!options) {
        return kExitUsage;
    }
    for (const EmbeddedStringTable* language : options->languages) {
        if (!RunLanguage(*language, *options, err)) {
            return kExitFailed;
        }
    }
    return kExitOk;
}
