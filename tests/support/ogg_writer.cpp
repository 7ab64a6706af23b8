#include "support/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>

namespace cavtest
{

namespace
{

bool WritePages(ogg_stream_state& os, std::FILE* out, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page))
    {
        if (std::fwrite(page.header, 1, page.header_len, out) != size_t(page.header_len) ||
            std::fwrite(page.body, 1, page.body_len, out) != size_t(page.body_len))
            return false;
    }
    return true;
}

} // namespace

bool WriteToneOgg(const std::string& path, double seconds, double frequency, float amplitude)
{
    const long rate = 44100;
    const int channels = 2;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, 0.3f) != 0)
    {
        vorbis_info_clear(&vi);
        std::fclose(out);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1234); // fixed serial: the files come out the same every time

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    bool ok = WritePages(os, out, true);

    const long frames = static_cast<long>(seconds * rate);
    const long block = 1024;
    const double step = 2.0 * 3.14159265358979323846 * frequency / rate;
    for (long done = 0; ok && done <= frames;)
    {
        long count = frames - done < block ? frames - done : block;
        if (count > 0)
        {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(count));
            for (long i = 0; i < count; ++i)
            {
                float v = amplitude * static_cast<float>(std::sin(step * (done + i)));
                buffer[0][i] = v;
                buffer[1][i] = v;
            }
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(count)); // 0 ends the stream
        done += count > 0 ? count : 1;
        while (ok && vorbis_analysis_blockout(&vd, &vb) == 1)
        {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (ok && vorbis_bitrate_flushpacket(&vd, &packet))
            {
                ogg_stream_packetin(&os, &packet);
                ok = WritePages(os, out, false);
            }
        }
    }
    ok = ok && WritePages(os, out, true);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return std::fclose(out) == 0 && ok;
}

} // namespace cavtest
