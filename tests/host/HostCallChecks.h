// What every host may take for granted of the edits it is told about.
#pragma once

#include "tools/host/HostContext.h"

#include <map>
#include <string>
#include <vector>

namespace testhost
{

/** The first way in which the calls break the host's edit protocol, or "" when they keep it: each
 *  performEdit lies inside one beginEdit/endEdit of its parameter, each gesture ends and holds at
 *  least one edit (an empty one makes an empty undo step in some hosts). */
inline std::string GestureFault(const std::vector<RecordingComponentHandler::Call>& calls)
{
  using Kind = RecordingComponentHandler::EKind;
  std::map<Steinberg::Vst::ParamID, int> editsInOpenGesture;
  for (size_t i = 0; i < calls.size(); ++i)
  {
    const auto& call = calls[i];
    const std::string where = " of " + std::to_string(call.id) + " at call " + std::to_string(i);
    auto open = editsInOpenGesture.find(call.id);
    switch (call.kind)
    {
    case Kind::kBegin:
      if (open != editsInOpenGesture.end())
        return "a second begin" + where;
      editsInOpenGesture[call.id] = 0;
      break;
    case Kind::kPerform:
      if (open == editsInOpenGesture.end())
        return "an edit outside a gesture" + where;
      ++open->second;
      break;
    case Kind::kEnd:
      if (open == editsInOpenGesture.end())
        return "an end without a begin" + where;
      if (open->second == 0)
        return "an empty gesture" + where;
      editsInOpenGesture.erase(open);
      break;
    default: break;
    }
  }
  if (!editsInOpenGesture.empty())
    return "the gesture of " + std::to_string(editsInOpenGesture.begin()->first) + " left open";
  return "";
}

} // namespace testhost
