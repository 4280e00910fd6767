#include "idle_tick.h"

#include "camera_input.h"
#include "crowd.h"
#include "joint_drives.h"
#include "redisplay.h"

std::uint64_t tickCount = 0;
std::int32_t redrawDivisor = 3;

void idleTick() {
  // Every record advances once, with the drive modes as they are now, before any frame sees it.
  stepCrowd(limbDriveMode, torsoDriveMode);
  ++tickCount;
  if (tickCount % static_cast<std::uint64_t>(redrawDivisor) == 0) requestRedisplay();
  updateMouseLook();
}
