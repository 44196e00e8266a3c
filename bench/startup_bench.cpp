// Start-up of whole processes, from the process start to its main window painted:
//   startup_bench.exe RUNS TITLE_A PROGRAM_A TITLE_B PROGRAM_B
// runs A and B alternately RUNS times each. A run starts the program, waits until a visible
// top-level window of that process with the given title exists, answers a message, and has no
// part left to paint (neither the window nor any of its child windows); then the window is closed
// and the process waited for, outside the measured time. Prints each program's median and the
// ratio A / B last.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The program is started through its launcher, which runs it as a process of its own: its window
// is known by its title, and by not having existed before the start.
struct TSearch {
  const char* Title;
  std::vector<HWND> Before;
  HWND Found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (!IsWindowVisible(window) || std::string(title) != search->Title) return TRUE;
  if (std::find(search->Before.begin(), search->Before.end(), window) != search->Before.end()) return TRUE;
  search->Found = window;
  return FALSE;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM data) {
  if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(data) = true;
  return FALSE;
}

// Visible, answering, and nothing of it waits to be painted.
bool Painted(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) return false;
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One whole process; the start-up time in seconds, or a negative number when it never showed.
double MeasureOnce(const char* title, const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  TSearch search{title, {}, nullptr};
  EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  if (search.Found) search.Before.push_back(search.Found);
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  double result = -1;
  for (int i = 0; i < 30000 && result < 0; ++i) {
    search.Found = nullptr;
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Found && Painted(search.Found)) {
      QueryPerformanceCounter(&now);
      result = Seconds(start, now);
    } else {
      Sleep(1);
    }
  }
  // Closed outside the measured time; the next run starts once the window is gone.
  if (search.Found) PostMessageA(search.Found, WM_CLOSE, 0, 0);
  for (int i = 0; i < 3000 && search.Found && IsWindow(search.Found); ++i) Sleep(10);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: startup_bench RUNS TITLE_A PROGRAM_A TITLE_B PROGRAM_B\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> times[2];
  for (int run = 0; run < runs; ++run)
    for (int side = 0; side < 2; ++side) {
      const double seconds = MeasureOnce(argv[2 + 2 * side], argv[3 + 2 * side]);
      if (seconds < 0) {
        std::fprintf(stderr, "startup_bench: %s never showed its window \"%s\"\n", argv[3 + 2 * side], argv[2 + 2 * side]);
        return 1;
      }
      times[side].push_back(seconds);
    }
  for (int side = 0; side < 2; ++side) {
    const auto [low, high] = std::minmax_element(times[side].begin(), times[side].end());
    std::printf("%-14s median %6.0f ms  (min %4.0f, max %4.0f, %d runs)\n", argv[2 + 2 * side],
                Median(times[side]) * 1000, *low * 1000, *high * 1000, runs);
  }
  std::printf("ratio %s / %s: %.2f\n", argv[2], argv[4], Median(times[0]) / Median(times[1]));
  return 0;
}
