// Every file the generator writes into the game's data/ folder, and how.
#include "tools/assetgen/AssetCatalogue.h"

#include "tools/assetgen/BallPicture.h"
#include "tools/assetgen/BmpFile.h"
#include "tools/assetgen/CueModel.h"
#include "tools/assetgen/CuePicture.h"
#include "tools/assetgen/RoomPictures.h"
#include "tools/assetgen/TableModel.h"
#include "tools/assetgen/TablePictures.h"

namespace {

// "data/cloth.bmp" -> "cloth.bmp"
std::string FileName(const char* dataPath)
{
    std::string path(dataPath);
    return path.substr(path.find('/') + 1);
}

std::vector<PictureAsset> MakePictures()
{
    std::vector<PictureAsset> list = {
        {"wall.bmp", 256, 256, [](const CGlyphRaster&) { return PaintWall(256); }},
        {"floor.bmp", 256, 256, [](const CGlyphRaster&) { return PaintFloor(256); }},
        {"ceil.bmp", 256, 256, [](const CGlyphRaster&) { return PaintCeiling(256); }},
    };
    for (int n = 0; n <= 15; ++n)
        list.push_back({"ball_" + std::to_string(n) + ".bmp", 512, 256,
                        [n](const CGlyphRaster& font) { return PaintBall(n, font, 512, 256); }});
    list.push_back({FileName(kCueTexture), 512, 64, [](const CGlyphRaster&) { return PaintCue(512, 64); }});
    list.push_back({FileName(kClothTexture), 256, 256, [](const CGlyphRaster&) { return PaintCloth(256); }});
    list.push_back({FileName(kPlayClothTexture), 256, 256,
                    [](const CGlyphRaster&) { return PaintPlayCloth(256); }});
    list.push_back({FileName(kRailTexture), 256, 256, [](const CGlyphRaster&) { return PaintRailWood(256); }});
    list.push_back({FileName(kPocketTexture), 64, 64, [](const CGlyphRaster&) { return PaintPocketLeather(64); }});
    list.push_back({FileName(kSightTexture), 32, 32, [](const CGlyphRaster&) { return PaintSight(32); }});
    return list;
}

} // namespace

const std::vector<PictureAsset>& Pictures()
{
    static const std::vector<PictureAsset> pictures = MakePictures();
    return pictures;
}

const std::vector<std::string>& ModelNames()
{
    static const std::vector<std::string> names = {"pooltable.3ds", "cue.3ds", "pooltable_play.3ds"};
    return names;
}

PaintedPictures PaintPictures(const CGlyphRaster& font)
{
    PaintedPictures painted;
    for (const PictureAsset& picture : Pictures())
        painted.emplace_back(picture.name, picture.paint(font));
    return painted;
}

void WritePictures(const std::string& dataDir, const PaintedPictures& pictures)
{
    for (const auto& [name, image] : pictures)
        WriteBmp(dataDir + "/" + name, image);
}

void WriteModels(const std::string& dataDir)
{
    WriteTableModel(dataDir + "/" + ModelNames()[0]);
    WriteCueModel(dataDir + "/" + ModelNames()[1]);
    WriteTableModel(dataDir + "/" + ModelNames()[2], PlayTableCut, kPlayClothTexture);
}
