// The render program's picture of the real module's editor on Windows: the editor window opened in
// a frame of the host's own, read back through OpenGL and written as a PNG.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tools/host/GLWindowPixels.h"
#include "tools/render/EditorSnapshot.h"

#include <stb_image.h>

#include <cstdlib>

namespace testhost
{
namespace
{

using WindowsEditorSnapshotTest = BrimvaleModuleTest;

Pixels ReadPNG(const std::string& path)
{
  Pixels pixels;
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &pixels.width, &pixels.height, &channels, 4);
  if (data)
    pixels.rgba.assign(data, data + static_cast<size_t>(pixels.width) * pixels.height * 4);
  stbi_image_free(data);
  return pixels;
}

TEST_F(WindowsEditorSnapshotTest, ThePictureShowsTheEditorWindowAtItsOwnSize)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState state = StateOf(*instance);
  state.pathA = WriteToneWav("a.wav", 220.0, 4800, 0.3f);
  state.pathB = WriteToneWav("b.wav", 330.0, 4800, 0.3f);
  ASSERT_EQ(instance->SetState(state.Bytes()), Steinberg::kResultOk);

  const std::string png = TempPath("editor.png");
  std::string error;
  ASSERT_TRUE(WriteEditorSnapshot(*instance, png, error)) << error;
  const Pixels picture = ReadPNG(png);
  // 1480 x 360 at the Windows editor's draw scale of 0.75.
  EXPECT_EQ(picture.width, 1110);
  EXPECT_EQ(picture.height, 270);
  ASSERT_FALSE(picture.Blank());
  const unsigned char* background = picture.At(169, 150);
  EXPECT_TRUE(std::abs(background[0] - 7) <= 4 && std::abs(background[1] - 10) <= 4 &&
              std::abs(background[2] - 15) <= 4)
    << int(background[0]) << "," << int(background[1]) << "," << int(background[2]);
}

} // namespace
} // namespace testhost
