#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace zandrel::testing {

struct ProgramRun {
  int exitCode = -1;  // -1: killed by a signal
  std::string out;
  std::string err;
};

struct ProgramOptions {
  std::string outputPath;                // standard output goes there instead of being captured
  rlim_t fileSizeLimit = RLIM_INFINITY;  // the largest file the program may write
  std::string inputPath = {};            // standard input comes from there instead of the test's
};

// Runs a program with these arguments, passed as the bytes given. One still running after 20 s
// is killed. Its output goes through pipes, which no file size limit applies to.
inline ProgramRun RunProgram(const std::vector<std::string>& arguments,
                             const ProgramOptions& options = {}) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ProgramRun run;
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return run;
  if (::pipe2(err, O_CLOEXEC) != 0) return run;
  const pid_t child = ::fork();
  if (child == 0) {
    const int output = options.outputPath.empty()
                           ? out[1]
                           : ::open(options.outputPath.c_str(), O_WRONLY | O_CLOEXEC);
    const int input =
        options.inputPath.empty() ? 0 : ::open(options.inputPath.c_str(), O_RDONLY | O_CLOEXEC);
    const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
    if (output < 0 || input < 0 || ::dup2(output, 1) < 0 || ::dup2(err[1], 2) < 0 ||
        (input != 0 && ::dup2(input, 0) < 0) ||
        (limit.rlim_cur != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
      ::_exit(127);
    ::alarm(20);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  pollfd ends[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[] = {&run.out, &run.err};
  for (int open = 2; open > 0;) {
    if (::poll(ends, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (ends[i].fd < 0 || ends[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(ends[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(got));
      } else {
        ::close(ends[i].fd);
        ends[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  return run;
}

// Runs code in a child process (to be killed, to run as another user, or beside another child):
// what it returns comes back as text, and how it ended.
struct ChildRun {
  int signal = 0;  // the signal that ended it, or 0
  std::string text;
};
inline pid_t StartChild(const std::function<std::string()>& code, int& readEnd) {
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    ::alarm(20);
    const std::string text = code();
    const bool written =
        ::write(pipe[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(pipe[1]);
  readEnd = pipe[0];
  return child;
}
inline ChildRun FinishChild(pid_t child, int readEnd) {
  ChildRun run;
  char buffer[4096];
  for (ssize_t got; (got = ::read(readEnd, buffer, sizeof buffer)) > 0;)
    run.text.append(buffer, static_cast<std::size_t>(got));
  ::close(readEnd);
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status))
    run.signal = WTERMSIG(status);
  return run;
}
inline ChildRun RunInChild(const std::function<std::string()>& code) {
  int readEnd = -1;
  const pid_t child = StartChild(code, readEnd);
  return FinishChild(child, readEnd);
}

}  // namespace zandrel::testing
