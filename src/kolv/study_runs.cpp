// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study_runs.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace sodwright::kolv {

namespace {

// Runs show no boxes: a layer note per node and pass would bury the user.
class DroppedMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string&, const std::string&, platform::MessageButtons,
                               platform::MessageIcon, const std::string&) override {
    return platform::MessageAnswer::Ok;
  }
};

int workerCount(int threads, std::size_t count) {
  unsigned n = threads > 0 ? static_cast<unsigned>(threads) : std::thread::hardware_concurrency();
  n = std::max(1u, n);
  return static_cast<int>(std::min<std::size_t>(n, std::max<std::size_t>(count, 1)));
}

}  // namespace

std::optional<StepStop> runStudyMember(const KolvState& study, KolvState& workspace,
                                       const PrepareMember& prepare, std::size_t member,
                                       bool compare, int threads) {
  // Copy assignment keeps the workspace's vector capacity.
  workspace = study;
  if (prepare) prepare(member, workspace.params);
  DroppedMessages dropped;
  if (auto stop = simulate(workspace, dropped, threads)) return stop;
  if (compare)
    return kolv::compare(workspace, workspace.params.StartSeq, workspace.params.LastSeq, dropped);
  return std::nullopt;
}

std::size_t runStudies(const KolvState& study, std::size_t count, const PrepareMember& prepare,
                       const CollectMember& collect, const StudyRunOptions& options) {
  const int workers = workerCount(options.threads, count);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> ran{0};
  auto work = [&] {
    KolvState workspace;
    for (;;) {
      if (options.cancel && options.cancel->load()) return;
      const std::size_t member = next.fetch_add(1);
      if (member >= count) return;
      const auto stop = runStudyMember(study, workspace, prepare, member, options.compare, 1);
      if (collect) collect(member, workspace, stop);
      ran.fetch_add(1);
    }
  };
  if (workers == 1) {
    work();
  } else {
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(workers));
    for (int w = 0; w < workers; ++w) pool.emplace_back(work);
    for (auto& t : pool) t.join();
  }
  return ran.load();
}

}  // namespace sodwright::kolv
