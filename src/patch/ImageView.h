#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "rom/RomFile.h"
#include "rom/RomIo.h"

namespace torvale {

// Bytes in memory seen as an open ROM file that the table readers read; it
// cannot be written.
class ImageView {
 public:
  // A whole file.
  explicit ImageView(std::span<const std::uint8_t> file);
  // A game image behind a copier header (`header`, padded with zeros, or
  // one of zeros when empty), without a copy of either.
  ImageView(std::span<const std::uint8_t> header, std::span<const std::uint8_t> image);
  ImageView(const ImageView&) = delete;
  ImageView& operator=(const ImageView&) = delete;

  const RomFile& Rom() const { return m_rom; }

 private:
  class ViewIo final : public RomIo {
   public:
    ViewIo(std::span<const std::uint8_t> header, std::size_t headerSize,
           std::span<const std::uint8_t> body)
        : m_header(header), m_headerSize(headerSize), m_body(body) {}
    int Open(const std::filesystem::path&) override;
    void Close(int) override {}
    int Lock(int) override { return 0; }
    int Identify(int, FileIdentity& identity) override;
    int IdentifyPath(const std::filesystem::path&, FileIdentity& identity) override;
    long ReadAt(int, void* buffer, std::size_t count, std::int64_t offset) override;
    long WriteAt(int, const void*, std::size_t, std::int64_t) override;
    int Sync(int) override { return 0; }

   private:
    std::size_t Size() const { return m_headerSize + m_body.size(); }

    std::span<const std::uint8_t> m_header;  // the first bytes of the header; zeros after them
    std::size_t m_headerSize;
    std::span<const std::uint8_t> m_body;
  };

  ViewIo m_io;
  RomFile m_rom{m_io};
};

// A game image laid out as a file: behind `header` (its copier header,
// padded with zeros) or a copier header of zeros, so that the tables' file
// offsets find its bytes.
std::vector<std::uint8_t> LaidOutImage(std::span<const std::uint8_t> image,
                                       std::span<const std::uint8_t> header = {});

}  // namespace torvale
