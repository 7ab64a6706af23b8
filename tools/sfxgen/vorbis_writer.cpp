#include "vorbis_writer.h"

#include "platform/platform.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace sfxgen
{
namespace
{

// Owns the libvorbis and libogg encoder states for one file.
class Encoder
{
public:
    Encoder() { vorbis_info_init(&info); }
    ~Encoder()
    {
        if (streamReady)
            ogg_stream_clear(&stream);
        if (analysisReady)
        {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        if (commentReady)
            vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
        if (file)
            std::fclose(file);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    bool Open(const std::string& path, int channels, int rate, double quality, uint32_t serial,
              const std::string& title, std::string& error)
    {
        if (vorbis_encode_init_vbr(&info, channels, rate, float(quality)) != 0)
        {
            error = "the Vorbis encoder refused the format";
            return false;
        }
        vorbis_comment_init(&comment);
        commentReady = true;
        vorbis_comment_add_tag(&comment, "TITLE", title.c_str());
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        analysisReady = true;
        ogg_stream_init(&stream, int(serial));
        streamReady = true;

        file = std::fopen(path.c_str(), "wb");
        if (!file)
        {
            error = "cannot write " + path;
            return false;
        }
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &commentHeader);
        ogg_stream_packetin(&stream, &codeHeader);
        ogg_page page;
        // The audio starts on a fresh page, as the format asks.
        while (ogg_stream_flush(&stream, &page) != 0)
            if (!WritePage(page))
                return Failed(path, error);
        return true;
    }

    // Hands `frames` frames to the encoder (0: the end of the sound) and writes the pages
    // that become ready.
    bool Encode(const Audio& audio, size_t first, size_t frames, const std::string& path,
                std::string& error)
    {
        if (frames)
        {
            float** buffer = vorbis_analysis_buffer(&dsp, int(frames));
            for (size_t f = 0; f < frames; ++f)
                for (int c = 0; c < audio.channels; ++c)
                    buffer[c][f] = audio.samples[(first + f) * size_t(audio.channels) + size_t(c)];
        }
        vorbis_analysis_wrote(&dsp, int(frames));
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet))
            {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page) != 0)
                    if (!WritePage(page))
                        return Failed(path, error);
            }
        }
        if (!frames)
        {
            ogg_page page;
            while (ogg_stream_flush(&stream, &page) != 0)
                if (!WritePage(page))
                    return Failed(path, error);
        }
        return true;
    }

    bool Close(const std::string& path, std::string& error)
    {
        const bool ok = std::fclose(file) == 0;
        file = nullptr;
        return ok || Failed(path, error);
    }

private:
    bool WritePage(const ogg_page& page)
    {
        return std::fwrite(page.header, 1, size_t(page.header_len), file) ==
                   size_t(page.header_len) &&
               std::fwrite(page.body, 1, size_t(page.body_len), file) == size_t(page.body_len);
    }

    bool Failed(const std::string& path, std::string& error)
    {
        error = "cannot write " + path;
        return false;
    }

    std::FILE* file = nullptr;
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool commentReady = false;
    bool analysisReady = false;
    bool streamReady = false;
};

} // namespace

bool WriteOggVorbis(const std::string& path, const Audio& audio, int sampleRate, double quality,
                    uint32_t serial, const std::string& title, std::string& error)
{
    // The encoder streams into the safe save's temporary file, which is flushed to disk and
    // renamed over `path` only when the whole stream was written.
    bool ok = platform::WriteFileAtomicallyWith(
        path,
        [&](const std::string& temp)
        {
            Encoder encoder;
            bool written = encoder.Open(temp, audio.channels, sampleRate, quality, serial, title,
                                        error);
            const size_t total = audio.Frames();
            const size_t chunk = 4096;
            for (size_t first = 0; written && first < total; first += chunk)
                written = encoder.Encode(audio, first, std::min(chunk, total - first), temp, error);
            return written && encoder.Encode(audio, total, 0, temp, error) &&
                   encoder.Close(temp, error);
        });
    if (!ok && error.empty())
        error = "cannot write " + path;
    return ok;
}

} // namespace sfxgen
