// Cold start to the main window on the screen, against the least a Qt
// program does to show a window, measured the same way in the same run.
//
// Run from the source folder, with a release build staged and a display:
//   scripts/build release
//   cmake --build --preset release --target vaticor_startup_bench vaticor_bare_window
//   Xvfb :7 -screen 0 1024x768x24 &      # or any X display
//   DISPLAY=:7 build/release/bench/vaticor_startup_bench [--runs 21]
// Options: --program PATH (build/stage/vaticor), --bare PATH (beside this
// program), --work DIR (a new folder under /tmp), --runs N.
//
// Each run is a new process, started with VATICOR_STARTUP_PROBE set: the
// program notes the moment its main window is first exposed, waits for the
// reading log, prints both moments and ends (ui/chrome/startup_probe.h).
// The time counted is from just before the process is spawned to the
// expose, on the clock both processes share; the memory is the process's
// peak resident size (getrusage). "Cold" is a new process each time, not
// an empty disk cache: the files come from memory, as on a second start.
// The programs take turns, run by run, so that a disturbance of the machine
// falls on all of them; each is started once first, unmeasured. Each start
// waits for the machine to be at rest, as a user's start finds it: right
// after a process's exit the display server is still taking down its
// windows, and a start made then was measured 2-10 ms slower. The order of
// the turns moves on by one each run, so that no program always comes
// right after the same one.
//
// Beside the bare window, the same window with one line of text (the main
// window's caption, in its font size) shows what putting any text on the
// screen costs a Qt program: a font engine, its fallback fonts, shaping.
//
// The reading log lies in the working directory: each of the program's runs
// starts in a folder of its own with an empty log, a log of 100,000 lines
// or one of 1,000,000 lines (bench/long_log.h).
//
// Targets: the program at most 1.25 times the bare window; a log of 100,000
// lines at most 10 ms later than the empty log, 1,000,000 lines at most
// 50 ms later; a log's peak memory at most twice the file's size above the
// empty log's.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "long_log.h"

extern char** environ;

namespace {

struct Run {
  double exposedMs = 0;  // spawn to the main window exposed
  double settledMs = 0;  // spawn to the reading log in
  double peakMb = 0;     // peak resident size
  int width = 0;         // of the exposed window
  int height = 0;
};

// Between one start and the next.
constexpr useconds_t kRestMicroseconds = 100'000;

struct Program {
  std::string name;
  std::vector<std::string> argv;
  std::string folder;  // working directory
  double fileMb = 0;   // its reading log
  std::vector<Run> runs;
};

Program Named(std::string name, std::vector<std::string> argv, std::string folder) {
  Program program;
  program.name = std::move(name);
  program.argv = std::move(argv);
  program.folder = std::move(folder);
  return program;
}

long long SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// One start: the probe's line and the child's resources.
Run Start(const Program& program) {
  ::usleep(kRestMicroseconds);
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  // Everything the child needs is made before it exists: it only changes
  // folder and runs the program.
  std::vector<std::string> env = {"VATICOR_STARTUP_PROBE=1"};
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "VATICOR_STARTUP_PROBE=", 22) != 0) env.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = program.argv;
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // fork, not posix_spawn: a child sharing this process's memory until exec
  // (vfork) inherits its peak resident size in getrusage.
  const long long spawned = SteadyNanoseconds();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    if (::chdir(program.folder.c_str()) == 0) ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  if (pid < 0) {
    ::close(out[0]);
    throw std::runtime_error("cannot start " + program.argv[0]);
  }

  std::string text;
  char buffer[256];
  for (;;) {
    pollfd fd{out[0], POLLIN, 0};
    if (::poll(&fd, 1, 60'000) <= 0) {
      ::kill(pid, SIGKILL);
      break;
    }
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(out[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);

  long long exposed = 0;
  long long settled = 0;
  int width = 0;
  int height = 0;
  std::istringstream line(text);
  if (!(line >> exposed >> settled >> width >> height)) {
    throw std::runtime_error(program.name +
                             " reported nothing (is DISPLAY or QT_QPA_PLATFORM set?)");
  }
  return {static_cast<double>(exposed - spawned) / 1e6,
          static_cast<double>(settled - spawned) / 1e6,
          static_cast<double>(usage.ru_maxrss) / 1024.0, width, height};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Field>
double MedianOf(const Program& program, Field field) {
  std::vector<double> values;
  for (const Run& run : program.runs) values.push_back(run.*field);
  return Median(values);
}

std::string Folder(const std::string& work, const std::string& name, int logLines) {
  const std::string folder = work + "/" + name;
  ::mkdir(folder.c_str(), 0755);
  std::ofstream(folder + "/Vaticor.Log", std::ios::binary)
      << (logLines > 0 ? vaticor::bench::LongLogBytes(logLines) : std::string());
  return folder;
}

std::string Beside(const std::string& name) {
  char self[4096];
  const ssize_t got = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path = got > 0 ? std::string(self, static_cast<std::size_t>(got)) : std::string();
  return path.substr(0, path.rfind('/') + 1) + name;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv) {
  std::string vaticor = "build/stage/vaticor";
  std::string bare = Beside("vaticor_bare_window");
  std::string work;
  int runs = 21;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--program")
      vaticor = argv[i + 1];
    else if (option == "--bare")
      bare = argv[i + 1];
    else if (option == "--work")
      work = argv[i + 1];
    else if (option == "--runs")
      runs = std::max(1, std::atoi(argv[i + 1]));
  }
  if (!work.empty()) ::mkdir(work.c_str(), 0755);
  if (work.empty()) {
    char folder[] = "/tmp/vaticor-startup-XXXXXX";
    if (!::mkdtemp(folder)) return 1;
    work = folder;
  }
  char absolute[4096];
  if (vaticor.front() != '/' && ::realpath(vaticor.c_str(), absolute)) vaticor = absolute;

  try {
    std::vector<Program> programs;
    programs.push_back(Named("program, empty log", {vaticor}, Folder(work, "empty", 0)));
    programs.push_back(Named("program, 100,000 lines", {vaticor}, Folder(work, "100k", 100'000)));
    programs.push_back(Named("program, 1,000,000 lines", {vaticor}, Folder(work, "1M", 1'000'000)));
    for (Program& program : programs) {
      std::ifstream log(program.folder + "/Vaticor.Log", std::ios::binary | std::ios::ate);
      program.fileMb = static_cast<double>(log.tellg()) / (1024.0 * 1024.0);
    }
    // The bare window takes the size the main window comes up in, as the
    // program's first (unmeasured) start reports it.
    const Run first = Start(programs[0]);
    const std::string width = std::to_string(first.width);
    const std::string height = std::to_string(first.height);
    programs.insert(programs.begin(),
                    {Named("bare window", {bare, width, height}, programs[0].folder),
                     Named("bare window with text", {bare, width, height, "Вытянуть карту ..."},
                           programs[0].folder)});
    for (std::size_t i = 3; i < programs.size(); ++i) Start(programs[i]);  // unmeasured
    Start(programs[0]);
    Start(programs[1]);

    std::printf("%d runs of each, taking turns; medians; window %d x %d\n", runs, first.width,
                first.height);
    for (int run = 0; run < runs; ++run) {
      for (std::size_t turn = 0; turn < programs.size(); ++turn) {
        Program& program = programs[(turn + static_cast<std::size_t>(run)) % programs.size()];
        program.runs.push_back(Start(program));
      }
    }

    const Program& bareRun = programs[0];
    const Program& bareText = programs[1];
    const Program& empty = programs[2];
    const double bareMs = MedianOf(bareRun, &Run::exposedMs);
    const double emptyMs = MedianOf(empty, &Run::exposedMs);
    const double emptyMb = MedianOf(empty, &Run::peakMb);
    std::printf("%-26s %9s %9s %9s\n", "", "shown ms", "log ms", "peak MB");
    for (const Program& program : programs) {
      std::printf("%-26s %9.1f %9.1f %9.1f\n", program.name.c_str(),
                  MedianOf(program, &Run::exposedMs), MedianOf(program, &Run::settledMs),
                  MedianOf(program, &Run::peakMb));
    }
    const double ratio = emptyMs / bareMs;
    std::printf("\nprogram / bare window: %.2f (target <= 1.25: %s)\n", ratio,
                Verdict(ratio <= 1.25));
    const double bareTextMs = MedianOf(bareText, &Run::exposedMs);
    std::printf(
        "bare window with text / bare window: %.2f; program / bare window with text: %.2f\n",
        bareTextMs / bareMs, emptyMs / bareTextMs);
    const double limitsMs[] = {10, 50};
    for (int i = 0; i < 2; ++i) {
      const Program& program = programs[static_cast<std::size_t>(i + 3)];
      const double laterMs = MedianOf(program, &Run::exposedMs) - emptyMs;
      const double moreMb = MedianOf(program, &Run::peakMb) - emptyMb;
      std::printf(
          "%s: shown %+.1f ms (target <= %.0f: %s); memory %+.1f MB for a %.1f MB file, "
          "%.2fx (target <= 2x: %s)\n",
          program.name.c_str(), laterMs, limitsMs[i], Verdict(laterMs <= limitsMs[i]), moreMb,
          program.fileMb, moreMb / program.fileMb, Verdict(moreMb <= 2 * program.fileMb));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
