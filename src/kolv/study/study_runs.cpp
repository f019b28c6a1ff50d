// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/study_runs.h"

#include <algorithm>
#include <atomic>

#include "base/threads/parallel.h"
#include "kolv/parameter_checks.h"

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

// No more workers than members.
int studyWorkers(int threads, std::size_t count) {
  return static_cast<int>(std::min<std::size_t>(
      static_cast<std::size_t>(base::workerCount(threads)), std::max<std::size_t>(count, 1)));
}

// The six arrays with a sequence column that a run writes, and PL1, PL2.
template <class Visit>
void forEachColumnArray(const TransectData& from, TransectData& to, Visit visit) {
  visit(from.Elev, to.Elev);
  visit(from.PL1, to.PL1);
  visit(from.PL2, to.PL2);
  visit(from.DepthL1, to.DepthL1);
  visit(from.DepthL2, to.DepthL2);
  visit(from.MassL1, to.MassL1);
  visit(from.MassL2, to.MassL2);
  visit(from.MassL12, to.MassL12);
}

// Makes a workspace that was a copy of `study` before a run that could
// write columns first..last equal to the study again: a run writes no other
// column (nor PL3), so only those are copied back, with the parameters, the
// results and the flags. Anything else (another study, other bounds) is
// copied whole.
void restoreWorkspace(const KolvState& study, KolvState& workspace, int first, int last) {
  bool sameShape = true;
  forEachColumnArray(study.data, workspace.data, [&](const auto& from, auto& to) {
    sameShape = sameShape && to.sameBounds(from);
  });
  if (!sameShape) {
    workspace = study;
    return;
  }
  forEachColumnArray(study.data, workspace.data,
                     [&](const auto& from, auto& to) { to.copyColumns(from, first, last); });
  workspace.params = study.params;
  workspace.results = study.results;
  workspace.imported = study.imported;
  workspace.simulated = study.simulated;
}

std::optional<StepStop> runPrepared(KolvState& workspace, const PrepareMember& prepare,
                                    std::size_t member, bool compare, int threads) {
  if (prepare) prepare(member, workspace.params);
  DroppedMessages dropped;
  if (auto stop = simulate(workspace, dropped, threads)) return stop;
  if (compare)
    return kolv::compare(workspace, workspace.params.StartSeq, workspace.params.LastSeq, dropped);
  return std::nullopt;
}

}  // namespace

KolvState studyFromBoxes(const KolvState& state) {
  KolvState study = state;
  chooseTillDirection(study, study.params.TillDirection);
  return study;
}

std::optional<StepStop> runStudyMember(const KolvState& study, KolvState& workspace,
                                       const PrepareMember& prepare, std::size_t member,
                                       bool compare, int threads) {
  // Copy assignment keeps the workspace's blocks when the sizes agree.
  workspace = study;
  return runPrepared(workspace, prepare, member, compare, threads);
}

std::size_t runStudies(const KolvState& study, std::size_t count, const PrepareMember& prepare,
                       const CollectMember& collect, const StudyRunOptions& options) {
  const int workers = studyWorkers(options.threads, count);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> ran{0};
  std::atomic<bool> failed{false};
  auto members = [&] {
    // The worker's own copy of the study; after the first member only the
    // columns the last run could write go back.
    KolvState workspace;
    bool copied = false;
    int written[2] = {0, -1};
    for (;;) {
      if (failed.load() || (options.cancel && options.cancel->load())) return;
      const std::size_t member = next.fetch_add(1);
      if (member >= count) return;
      if (copied) {
        restoreWorkspace(study, workspace, written[0], written[1]);
      } else {
        workspace = study;
        copied = true;
      }
      const auto stop = runPrepared(workspace, prepare, member, options.compare, 1);
      written[0] = workspace.params.StartSeq;
      written[1] = workspace.params.LastSeq + 1;
      if (collect) collect(member, workspace, stop);
      ran.fetch_add(1);
    }
  };
  // A member that throws stops the other workers at their next member; the
  // failure reaches the caller.
  base::runParts(workers, [&](int) {
    try {
      members();
    } catch (...) {
      failed = true;
      throw;
    }
  });
  return ran.load();
}

}  // namespace sodwright::kolv
