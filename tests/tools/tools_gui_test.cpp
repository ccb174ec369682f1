// The built programs dorvalen-face and dorvalen-almanac, run as a user runs them: the PNG
// read back and compared with a frame rendered here, the JSON parsed back and compared with
// the values the clock's own tests establish, and the error cases.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "core/clock_state.h"
#include "core/conversions.h"
#include "astro/rise_set.h"
#include "core/calendar.h"
#include "face/face_render.h"
#include "canvas/canvas.h"
#include "settings/settings_file.h"

namespace dorvalen {
namespace {

constexpr double minute = 1.0 / 60.0;

struct ProcessRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProcessRun runTool(const char* program, const QStringList& args, const QString& workDir,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProgram(QString::fromUtf8(program));
    process.setArguments(args);
    process.setWorkingDirectory(workDir);
    process.setProcessEnvironment(env);
    process.start();
    ProcessRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void writeSettings(const QString& path, const ClockSettings& settings) {
    ASSERT_TRUE(saveSettings(settings, path.toStdString()).ok) << path.toStdString();
}

// The frame the clock draws, in this process: radius size div 2 (in device pixels: times the
// scale, rounded), font truncToInt(r / 14.5).
Image renderHere(const ClockSettings& settings, DateValue at, int size, bool coordinates,
                 double scale = 1.0) {
    ClockState state;
    state.settings = settings;
    state.now = at;
    const int r = static_cast<int>(roundToInt(size / 2 * scale));
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    Image image;
    renderClockFace(state, image, font, r, coordinates);
    return image;
}

// Number of pixels whose RGB differs; -1 when the sizes differ or the file is unreadable.
long long differingPixels(const QString& pngPath, const Image& expected) {
    QImage png;
    if (!png.load(pngPath)) return -1;
    png = png.convertToFormat(QImage::Format_RGB32);
    if (png.width() != expected.width || png.height() != expected.height) return -1;
    long long differing = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb got = png.pixel(x, y);
            const Colour want = expected.pixel(x, y);
            differing += qRed(got) != redOf(want) || qGreen(got) != greenOf(want) ||
                         qBlue(got) != blueOf(want);
        }
    return differing;
}

bool isOneLine(const QByteArray& text) {
    return !text.isEmpty() && text.endsWith('\n') && text.count('\n') == 1;
}

struct FaceRow {
    const char* fault;
    const char* at;
    DateValue atValue;
    int size;
    bool coordinates;
    enum { None, Explicit, InWorkingDir } settingsFile;
    ClockSettings settings;
    double scale = 1.0;
    int deviceSide = size / 2 * 2;
};

ClockSettings changedSettings() {
    ClockSettings s;
    s.placeName = "Tromsø";
    s.latitude = 69.39;
    s.longitude = -18.57;
    s.timeZone = 1.0;
    s.twilightKind = 5;
    s.showSecondsHand = 1;
    return s;
}

ClockSettings colourlessSettings() {
    ClockSettings s;
    s.showShiftColors = 0;
    s.dialColor = static_cast<std::int32_t>(rgb(200, 120, 40));
    return s;
}

TEST(FaceTool, PngEqualsTheFrameRenderedInProcess) {
    const FaceRow rows[] = {
        {"defaults when the working directory has no settings file", "2015-02-04T12:00:00",
         makeDate(2015, 2, 4, 12, 0, 0), 300, false, FaceRow::None, ClockSettings{}},
        {"explicit settings file ignored, or coordinates line missing", "2026-05-03T22:00:00",
         makeDate(2026, 5, 3, 22, 0, 0), 400, true, FaceRow::Explicit, changedSettings()},
        {"Dorvalen.dat of the working directory ignored", "2024-06-21T03:15:59",
         makeDate(2024, 6, 21, 3, 15, 59), 260, false, FaceRow::InWorkingDir,
         colourlessSettings()},
        {"odd size: radius is size div 2", "2024-12-31T23:59:59", makeDate(2024, 12, 31, 23, 59, 59),
         205, false, FaceRow::None, ClockSettings{}},
        {"scale ignored: a 400-point window at 2 is 800 device pixels", "2026-05-03T22:00:00",
         makeDate(2026, 5, 3, 22, 0, 0), 400, true, FaceRow::None, ClockSettings{}, 2.0, 800},
        {"fractional scale truncated instead of rounded (301.5 to even)", "2024-06-21T03:15:59",
         makeDate(2024, 6, 21, 3, 15, 59), 402, false, FaceRow::Explicit, changedSettings(), 1.5,
         604},
    };
    for (const FaceRow& row : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QStringList args{"--at", row.at, "--size", QString::number(row.size), "--out", "face.png"};
        if (row.scale != 1.0) args << "--scale" << QString::number(row.scale);
        if (row.coordinates) args << "--coordinates";
        if (row.settingsFile == FaceRow::Explicit) {
            writeSettings(dir.filePath("elsewhere.dat"), row.settings);
            args << "--settings" << dir.filePath("elsewhere.dat");
        } else if (row.settingsFile == FaceRow::InWorkingDir) {
            writeSettings(dir.filePath("Dorvalen.dat"), row.settings);
        }
        const ProcessRun run = runTool(DORVALEN_FACE_TOOL, args, dir.path());
        ASSERT_EQ(run.exitCode, 0) << row.fault << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << row.fault;

        const Image expected =
            renderHere(row.settings, row.atValue, row.size, row.coordinates, row.scale);
        EXPECT_EQ(expected.width, row.deviceSide) << row.fault;
        EXPECT_EQ(differingPixels(dir.filePath("face.png"), expected), 0) << row.fault;
        // The settings must matter for the check to mean anything.
        if (row.settingsFile != FaceRow::None) {
            EXPECT_GT(differingPixels(dir.filePath("face.png"),
                                      renderHere(ClockSettings{}, row.atValue, row.size, false,
                                                 row.scale)),
                      0)
                << row.fault;
        }
    }
}

TEST(FaceTool, RunsWithoutAnyDisplay) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    const ProcessRun run = runTool(DORVALEN_FACE_TOOL,
                            {"--at", "2026-05-03T22:00:00", "--size", "220", "--out", "f.png"},
                            dir.path(), env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(differingPixels(dir.filePath("f.png"),
                              renderHere(ClockSettings{}, makeDate(2026, 5, 3, 22, 0, 0), 220, false)),
              0);
}

TEST(FaceTool, BadArgumentsExitTwoWithOneLineAndNoPicture) {
    const struct {
        const char* fault;
        QStringList args;
    } rows[] = {
        {"nonexistent day", {"--at", "2023-02-29T12:00:00", "--out", "f.png"}},
        {"size below the window's limit", {"--at", "2024-03-20T12:00:00", "--size", "204", "--out", "f.png"}},
        {"size above the window's limit", {"--at", "2024-03-20T12:00:00", "--size", "32001", "--out", "f.png"}},
        {"scale not a number", {"--at", "2024-03-20T12:00:00", "--scale", "nan", "--out", "f.png"}},
        {"scale beyond the largest ratio", {"--at", "2024-03-20T12:00:00", "--scale", "9", "--out", "f.png"}},
        {"explicit settings file missing",
         {"--at", "2024-03-20T12:00:00", "--settings", "missing.dat", "--out", "f.png"}},
        {"unknown option", {"--at", "2024-03-20T12:00:00", "--out", "f.png", "--big"}},
        {"no output given", {"--at", "2024-03-20T12:00:00"}},
        {"output in a directory that does not exist",
         {"--at", "2024-03-20T12:00:00", "--out", "no/such/dir/f.png"}},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const ProcessRun run = runTool(DORVALEN_FACE_TOOL, row.args, dir.path());
        EXPECT_EQ(run.exitCode, 2) << row.fault;
        EXPECT_TRUE(isOneLine(run.err)) << row.fault << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << row.fault;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0)
            << row.fault;
    }
}

// Everything the tool writes into the FIFO while it runs. The read end is opened without
// blocking first, so a tool that never opens the FIFO cannot hang the test.
QByteArray readFifoWhileRunning(QProcess& process, const QString& fifo) {
    const int fd = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    QByteArray got;
    char buf[65536];
    for (bool running = true;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            got.append(buf, n);
            continue;
        }
        if (!running) break;
        running = !process.waitForFinished(20);
    }
    ::close(fd);
    return got;
}

// --out names where the picture goes; a FIFO or a device there is written as it is and
// never replaced by a file, "-" is standard output, and what cannot take a picture is
// refused with one line before anything is drawn.
TEST(FaceTool, OutFeedsFifosAndStdoutAndNeverReplacesOtherFiles) {
    const QStringList at{"--at", "2026-05-03T22:00:00", "--size", "220", "--out"};
    const Image expected = renderHere(ClockSettings{}, makeDate(2026, 5, 3, 22, 0, 0), 220, false);

    QTemporaryDir dir;
    const ProcessRun toStdout = runTool(DORVALEN_FACE_TOOL, at + QStringList{"-"}, dir.path());
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err.toStdString();
    QFile png(dir.filePath("stdout.png"));
    ASSERT_TRUE(png.open(QIODevice::WriteOnly));
    png.write(toStdout.out);
    png.close();
    EXPECT_EQ(differingPixels(dir.filePath("stdout.png"), expected), 0) << "--out - is not a PNG";
    EXPECT_FALSE(QFile::exists(dir.filePath("-"))) << "--out - wrote a file named -";

    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QString::fromUtf8(DORVALEN_FACE_TOOL), at + QStringList{"pipe"});
    const QByteArray throughFifo = readFifoWhileRunning(process, fifo);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO was replaced by a file";
    QFile copy(dir.filePath("fifo.png"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(throughFifo);
    copy.close();
    EXPECT_EQ(differingPixels(dir.filePath("fifo.png"), expected), 0) << "the FIFO got no PNG";

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const ProcessRun onFolder = runTool(DORVALEN_FACE_TOOL, at + QStringList{"folder"}, dir.path());
    EXPECT_EQ(onFolder.exitCode, 2);
    EXPECT_TRUE(isOneLine(onFolder.err)) << onFolder.err.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());

    // A node like /dev/null, made here rather than touching the system's own.
    const QByteArray device = dir.filePath("null").toLocal8Bit();
    if (::mknod(device.constData(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "no character device can be made here";
    const int probe = ::open(device.constData(), O_WRONLY | O_CLOEXEC);
    const ProcessRun onDevice = runTool(DORVALEN_FACE_TOOL, at + QStringList{"null"}, dir.path());
    EXPECT_EQ(onDevice.exitCode, probe >= 0 ? 0 : 1) << onDevice.err.toStdString();
    if (probe >= 0) ::close(probe);
    ASSERT_EQ(::lstat(device.constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device node was replaced by a file";
}

QJsonArray almanacJson(const QStringList& args, const QString& workDir) {
    const ProcessRun run = runTool(DORVALEN_ALMANAC_TOOL, QStringList{"--json"} + args, workDir);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(doc.isArray());
    return doc.array();
}

QStringList sortedKeys(const QJsonObject& o) {
    QStringList keys = o.keys();
    keys.sort();
    return keys;
}

TEST(AlmanacTool, JsonHasExactlyTheFieldsAndTheClocksNumbers) {
    QTemporaryDir dir;  // no Dorvalen.dat: the default place
    const QJsonArray days = almanacJson({"--from", "2024-03-20", "--days", "1"}, dir.path());
    ASSERT_EQ(days.size(), 1);
    const QJsonObject day = days[0].toObject();
    EXPECT_EQ(sortedKeys(day), (QStringList{"calendarWeek", "crews", "date", "events",
                                            "illuminatedFraction", "phase", "shifts",
                                            "summerTime", "weekday"}));
    EXPECT_EQ(day["date"].toString(), "2024-03-20");
    EXPECT_EQ(day["calendarWeek"].toInt(), 12);
    EXPECT_EQ(day["summerTime"], QJsonValue(false));
    EXPECT_TRUE(day["phase"].isNull());

    const QJsonObject events = day["events"].toObject();
    EXPECT_EQ(sortedKeys(events), (QStringList{"1", "2", "3", "4", "5"}));
    // Worked examples: sunrise 6.1758 h, sunset 18.3619 h; civil 5:40 / 18:53;
    // astronomical 4:24 / 20:09.
    const QJsonObject sun = events["2"].toObject();
    EXPECT_EQ(sortedKeys(sun), (QStringList{"riseHours", "setHours", "upAtLastStep"}));
    EXPECT_NEAR(sun["riseHours"].toDouble(), 6.1758, 2e-4);
    EXPECT_NEAR(sun["setHours"].toDouble(), 18.3619, 2e-4);
    EXPECT_NEAR(events["3"].toObject()["riseHours"].toDouble(), 5 + 40 * minute, 0.6 * minute);
    EXPECT_NEAR(events["3"].toObject()["setHours"].toDouble(), 18 + 53 * minute, 0.6 * minute);
    EXPECT_NEAR(events["5"].toObject()["riseHours"].toDouble(), 4 + 24 * minute, 0.6 * minute);
    EXPECT_NEAR(events["5"].toObject()["setHours"].toDouble(), 20 + 9 * minute, 0.6 * minute);

    // Unrounded: every number reads back as the very double the clock computes.
    ClockState state;
    state.now = makeDate(2024, 3, 20, 12, 0, 0);
    for (int kind = 1; kind <= 5; ++kind) {
        const DayEvents e = computeDayEvents(state, static_cast<EventKind>(kind));
        const QJsonObject got = events[QString::number(kind)].toObject();
        EXPECT_EQ(got["riseHours"].toDouble(), e.riseHours) << kind;
        EXPECT_EQ(got["setHours"].toDouble(), e.setHours) << kind;
        EXPECT_EQ(got["upAtLastStep"].toBool(), e.upAtLastStep) << kind;
    }
    const double light = day["illuminatedFraction"].toDouble();
    EXPECT_GT(light, 0.0);
    EXPECT_LT(light, 1.0);
}

TEST(AlmanacTool, PhaseOnItsLocalDayAndCrewsOfAWeek) {
    QTemporaryDir dir;
    // Full moon 2015-02-03 23:10 UT: 0:10 on 02-04 at time zone 1, nothing on 02-03.
    const QJsonArray feb = almanacJson({"--from", "2015-02-03", "--days", "2"}, dir.path());
    ASSERT_EQ(feb.size(), 2);
    EXPECT_TRUE(feb[0].toObject()["phase"].isNull());
    const QJsonObject phase = feb[1].toObject()["phase"].toObject();
    EXPECT_EQ(sortedKeys(phase), (QStringList{"kind", "label", "localMjd"}));
    EXPECT_EQ(phase["kind"].toString(), "FullMoon");
    EXPECT_EQ(phase["label"].toString(), "0:10");
    EXPECT_NEAR(phase["localMjd"].toDouble(), 57057 + (10 + 11.0 / 60) / 1440, 2.0 / 86400);

    // A week from Monday 2026-01-12 ({1, 4, 2, 0, 3}), across a Sunday ({3, 4, 1, 0, 4}).
    const QJsonArray week = almanacJson({"--from", "2026-01-12", "--days", "7", "--time", "3:00"},
                                        dir.path());
    ASSERT_EQ(week.size(), 7);
    const auto codes = [&](int i) {
        QList<int> c;
        for (const QJsonValue v : week[i].toObject()["crews"].toObject()["codes"].toArray())
            c << v.toInt();
        return c;
    };
    EXPECT_EQ(codes(0), (QList<int>{1, 4, 2, 0, 3}));
    EXPECT_EQ(codes(6), (QList<int>{3, 4, 1, 0, 4}));
    EXPECT_EQ(week[6].toObject()["date"].toString(), "2026-01-18");
    EXPECT_EQ(week[6].toObject()["weekday"].toString(), "Sonntag");
}

TEST(AlmanacTool, TextTableForPeople) {
    QTemporaryDir dir;
    const ProcessRun run = runTool(DORVALEN_ALMANAC_TOOL, {"--from", "2026-01-18", "--days", "2"}, dir.path());
    ASSERT_EQ(run.exitCode, 0);
    const std::string text = run.out.toStdString();
    EXPECT_NE(text.find("Sonntag, 18.1.2026, 3.Woche, Winterzeit"), std::string::npos) << text;
    EXPECT_NE(text.find("Montag, 19.1.2026, 4.Woche, Winterzeit"), std::string::npos);
    EXPECT_NE(text.find("Tag 5:45: 2 Gelb   Nacht 17:45: 0 Rot"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST(AlmanacTool, BadArgumentsExitTwoWithOneLineAndNothingOnStdout) {
    const struct {
        const char* fault;
        QStringList args;
    } rows[] = {
        {"nonexistent date", {"--from", "2025-02-29"}},
        {"zero days", {"--from", "2025-02-01", "--days", "0"}},
        {"too many days", {"--from", "2025-02-01", "--days", "3661"}},
        {"explicit settings file missing", {"--from", "2025-02-01", "--settings", "missing.dat"}},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const ProcessRun run = runTool(DORVALEN_ALMANAC_TOOL, row.args, dir.path());
        EXPECT_EQ(run.exitCode, 2) << row.fault;
        EXPECT_TRUE(isOneLine(run.err)) << row.fault << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << row.fault;
    }
}

}  // namespace
}  // namespace dorvalen
