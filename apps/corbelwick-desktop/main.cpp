// corbelwick-desktop: the map host application with the bookmarks command on its toolbar, every
// window of the system on screen. Without a display it plays the built-in tour offscreen.
//
//   corbelwick-desktop [DOCUMENT.json] [--drive X=DIR]... [--cwd WINPATH] [--tour DIR]

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "base/failure.h"
#include "frontends/qt/desktop_app.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/tour.h"
#include "hosts/standin/standin.h"
#include "platform/posix/drive_file_system.h"

namespace {

struct Options {
  cw::platform::DriveFileSystem::GivenOptions given;
  cw::platform::DriveFileSystem::Options files;
  bool drivesGiven = false;
  bool directoryGiven = false;
  std::string document;
  std::optional<std::string> tour;
};

int usage() {
  std::cerr << "usage: corbelwick-desktop [DOCUMENT.json] [--drive X=DIR]... [--cwd WINPATH] "
               "[--tour DIR]\n";
  return 2;
}

std::optional<Options> parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--drive" && hasValue) {
      if (!options.given.addDrive(argv[++i])) return std::nullopt;
    } else if (arg == "--cwd" && hasValue) {
      options.given.setCurrentDirectory(argv[++i]);
    } else if (arg == "--tour" && hasValue) {
      options.tour = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.document.empty()) {
      options.document = arg;
    } else {
      return std::nullopt;
    }
  }
  options.files = options.given.options();
  options.drivesGiven = options.given.drivesGiven();
  options.directoryGiven = options.given.directoryGiven();
  return options;
}

// The offscreen platform says on every window that it cannot do what a window system does.
QtMessageHandler standardHandler = nullptr;
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  if (standardHandler) standardHandler(type, context, text);
}

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Options> parsed = parse(argc, argv);
  if (!parsed) return usage();
  Options options = std::move(*parsed);

  if (!hasDisplay()) {
    if (!options.tour) {
      options.tour = (std::filesystem::temp_directory_path() / "corbelwick-tour").string();
    }
    std::cout << "corbelwick-desktop: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "playing the tour on the offscreen platform into "
              << *options.tour << "\n";
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) {
    standardHandler = qInstallMessageHandler(quietOffscreenNotes);
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("corbelwick-desktop");

  // The tour starts from a fresh C: drive of its own unless drives are given.
  QTemporaryDir tourDrive;
  if (options.tour && !options.drivesGiven) {
    QDir(tourDrive.path()).mkpath("C/Program Files");
    options.files.drives = {{'C', QDir(tourDrive.path()).filePath("C").toStdString()}};
    if (!options.directoryGiven) options.files.currentDirectory = "C:\\";
  }

  try {
    cw::platform::DriveFileSystem fs(options.files);
    if (!options.drivesGiven && !options.tour) fs.ensureInstalled();

    std::unique_ptr<cw::standin::Document> document;
    if (options.document.empty()) {
      document = cw::standin::sampleDocument();
    } else {
      QFile file(QString::fromStdString(options.document));
      if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "corbelwick-desktop: cannot read " << options.document << "\n";
        return 1;
      }
      QByteArray bytes = file.readAll();
      document = cw::standin::loadDocument(std::string_view(bytes.constData(), bytes.size()));
    }

    cw::qt::DesktopApp app(fs, std::move(document));
    if (options.tour) {
      cw::qt::TourResult result = cw::qt::playTour(app, QString::fromStdString(*options.tour));
      for (const QString& file : result.files) std::cout << "wrote " << file.toStdString() << "\n";
      if (!result.error.isEmpty()) {
        std::cerr << "corbelwick-desktop: tour: " << result.error.toStdString() << "\n";
        return 1;
      }
      return 0;
    }
    app.mainWindow().resize(1200, 800);
    app.mainWindow().show();
    return application.exec();
  } catch (const cw::Failure& e) {
    std::cerr << "corbelwick-desktop: " << e.description() << "\n";
    return 1;
  }
}
