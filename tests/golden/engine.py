"""A second, separately written model of the compressor engine (controls and
their mapping, the stereo compression path, the meter filter), used to make
golden output samples. Pure Python: doubles are Python floats, single
precision is emulated by packing to 32-bit floats."""

import math
import struct

B = 0.1091012


def single(v):
    """v rounded to a 32-bit float (and widened again)."""
    return struct.unpack("f", struct.pack("f", v))[0]


TINY = single(1e-16)


def flush(v):
    v1 = single(v)
    v2 = single(v1 + TINY)
    return single(v2 - TINY)


def clamp(v):
    if v != v or v < 0.0:
        return 0.0
    return 1.0 if v > 1.0 else v


def one_pole(rate, fs):
    return 1.0 - B ** (rate / fs)


class MeterFilter:
    """Second-order low-pass, direct form I."""

    def __init__(self, fs, freq, q):
        self.fs, self.freq, self.q = fs, freq, q
        self.clear()
        self.coefficients()

    def clear(self):
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0

    def set_sample_rate(self, sr):
        self.fs = sr
        limit = sr if 20000.0 <= sr <= 400000.0 else 44100.0
        self.freq = min(self.freq, 0.499 * limit)
        self.coefficients()

    def coefficients(self):
        fs = self.fs
        if self.freq > 0.499 * fs:
            self.freq = 0.499 * fs
        f = self.freq
        k = (f / (0.50001 * fs)) ** 8
        w = 6.283185307179586 * f / fs
        alpha = math.sin(w) / (2.0 * self.q * (1.0 - k))
        a0 = 1.0 + alpha
        cw = math.cos(w)
        self.a1 = -2.0 * cw / a0
        self.a2 = (1.0 - alpha) / a0
        self.b0 = 0.5 * (1.0 - cw) / a0
        self.b1 = (1.0 - cw) / a0
        self.b2 = self.b0

    def step(self, x):
        y = self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2 - self.a1 * self.y1 - self.a2 * self.y2
        self.x2, self.x1 = self.x1, x
        self.y2, self.y1 = self.y1, y
        return y


class Engine:
    def __init__(self):
        self.meter = MeterFilter(44100.0, 5.0, 0.65)
        self.fs = 44100.0
        self.power, self.sc_on, self.threshold = 1, 1, 4.0
        self.ratio, self.attack, self.release = 0.5, 0.022360679774997897, 0.05
        self.mode, self.link, self.hpf = 1, 1, 0.0
        self.makeup, self.blend, self.blend_switch = 0.25, 0.0, 0.0
        self.sc = [0.0, 0.0]
        self.thr_s, self.makeup_s, self.blend_s = 4.0, 0.25, 0.0
        self.suspend()
        self.resume()
        self.suspend()

    # Setters by parameter index, from normalised values.
    def set(self, index, v):
        v = single(v)  # the setters take 32-bit floats
        c = clamp(v)
        if index == 0:
            p = math.trunc(single(v + 0.5)) if v == v else 0
            self.power = 0 if p < 0 else 1 if p >= 2 else p
        elif index == 1:
            self.attack = 0.001 * 500.0**c
        elif index == 2:
            self.release = 0.005 * 100.0**c
        elif index == 4:
            self.sc_on = math.trunc(single(c + 0.5))
        elif index == 5:
            self.hpf = c
        elif index == 6:
            self.ratio = c
        elif index == 8:
            self.threshold = 0.25 * 256.0 ** (1.0 - c)
        elif index == 9:
            self.mode = math.trunc(single(2.0 * c + 0.5))
        elif index == 10:
            self.makeup = 0.25 * 256.0**c
        elif index == 11:
            self.link = math.trunc(single(c + 0.5))
        elif index == 12:
            self.blend_switch = float(math.trunc(single(c + 0.5)))
        elif index == 13:
            self.blend = c

    def set_sample_rate(self, sr):
        sr = single(sr)
        self.fs = sr if 32000.0 <= sr <= 400000.0 else 44100.0
        self.meter.clear()
        self.meter.set_sample_rate(self.fs)

    def suspend(self):
        self.gr = 1.0
        self.ratio_s = single(self.ratio)
        self.out_state = [0.0, 0.0]
        self.meter.clear()
        self.env = [0.0001, 0.0001]

    def resume(self):
        self.gr = 1.0
        self.sc = [0.0, 0.0]
        self.makeup_s = self.makeup
        self.thr_s = self.threshold
        self.ratio_s = single(self.ratio)
        self.blend_s = 0.0 if self.blend_switch == 0.0 else self.blend
        self.meter.set_sample_rate(self.fs)
        self.meter.freq = 3.0
        self.meter.q = 0.8765
        self.meter.clear()
        self.meter.coefficients()

    def process(self, in_l, in_r, stereo, single_precision):
        """One block; returns the two output lists (floats rounded to single in
        the single-precision form)."""
        if self.power == 0:
            for _ in in_l:
                self.gr = self.meter.step(1.0)
            return list(map(single, in_l)), list(map(single, in_r))
        rnd = single if single_precision else (lambda v: v)
        fs = self.fs
        k_rel = 1.0 - B ** (1.0 / ((0.5 * self.attack + 6.0 * self.release) * fs))
        h_att = 0.5 * (1.0 - B ** (8.333333333333334 / (self.attack * fs)))
        k_sm = rnd(one_pole(100.0, fs))
        k_out = one_pole(14.0, fs)
        fc = rnd(12.5 * 125.0**self.hpf)
        k_sc = rnd(one_pole(fc, fs))
        blend_target = 1.0 if self.blend_switch == 0.0 else self.blend
        mode = self.mode if stereo else 0
        linked = mode == 1 and self.link == 1
        compressed = [mode != 2, mode != 0]

        def gains():
            g = [rnd(0.03 / (e * e + 0.03)) for e in self.env]
            if linked:
                g = [rnd(math.sqrt(g[0] * g[1]))] * 2
            if mode == 2:
                g[0] = 1.0
            if mode == 0:
                g[1] = 1.0
            return g

        def step(env, a, e):
            u = a - 1.0
            v = abs(u) + u
            p = 1.0 - 10.0 * math.atan(0.05 * v) + 0.5 * v
            z = p**e - 1.0
            v2 = abs(z) + z
            t = 0.5 * v2 - 0.35 * math.atan(1.4285714285714286 * v2)
            env = env + h_att * (abs(t - env) + (t - env))
            return env - env * k_rel

        out_l, out_r = [], []
        for xl, xr in zip(in_l, in_r):
            self.ratio_s = flush(self.ratio_s + (self.ratio - self.ratio_s) * k_sm)
            x = [0.0 if xl != xl else xl, 0.0 if xr != xr else xr]
            d = [0.0, 0.0]
            for c in (0, 1):
                self.sc[c] = flush(self.sc[c] + (x[c] - self.sc[c]) * k_sc)
                d[c] = x[c] - self.sc[c] if self.sc_on == 1 else x[c]
            self.thr_s += (self.threshold - self.thr_s) * k_sm
            self.makeup_s += (self.makeup - self.makeup_s) * k_sm
            self.blend_s += (blend_target - self.blend_s) * k_sm
            r = self.ratio_s
            e = (3.0 ** (r**0.18) - 1.0) * 0.0625
            gain_k = 64.0 * 4.0 ** ((1.0 - r) ** 1.3)
            g1 = gains()
            self.gr = self.meter.step(min(g1))
            for c in (0, 1):
                self.env[c] = step(self.env[c], abs(g1[c] * d[c]) * gain_k * self.thr_s, e)
            g2 = gains()
            y = [rnd(g2[c] * x[c]) for c in (0, 1)]
            for c in (0, 1):
                self.env[c] = step(self.env[c], abs(d[c]) * gain_k * self.thr_s, e)
            out = [0.0, 0.0]
            for c in (0, 1):
                if compressed[c]:
                    s = rnd(y[c] * self.makeup_s)
                    sat = rnd(10.0 * math.atan(0.1 * s) if s > 0.0 else 10.0 * math.tanh(0.1 * s))
                    mix = (1.0 - self.blend_s) * x[c] + self.blend_s * sat
                else:
                    mix = x[c]
                self.out_state[c] += (mix - self.out_state[c]) * k_out
                w = self.out_state[c]
                if not compressed[c]:
                    out[c] = x[c]
                elif w > 0.0001:
                    out[c] = 0.35355339059327 * math.tanh(2.82842712474619 * w) / w * mix
                elif w < -0.0001:
                    out[c] = 0.25 * math.atan(4.0 * w) / w * mix
                else:
                    out[c] = mix
            out_l.append(rnd(out[0]))
            out_r.append(rnd(out[1]))
        return out_l, out_r


# Test signals, 32-bit float samples.


def burst(n, fs, freq, attack_at, decay, amp, phase=0.0):
    out = []
    for i in range(n):
        t = i - attack_at
        env = 0.0 if t < 0 else amp * math.exp(-t / (decay * fs))
        out.append(single(env * math.sin(2 * math.pi * freq * i / fs + phase)))
    return out


def drum(n, fs, hits, seed):
    """Noise-and-thump hits: a fast-decaying low sine plus a decaying noise burst."""
    rng = seed
    out = [0.0] * n
    for at, amp in hits:
        for i in range(at, n):
            t = (i - at) / fs
            rng = (1103515245 * rng + 12345) % 2**31
            noise = rng / 2**30 - 1.0
            thump = math.exp(-t / 0.03) * math.sin(2 * math.pi * 70 * t)
            out[i] += amp * (thump + 0.5 * math.exp(-t / 0.004) * noise)
    return [single(v) for v in out]


def mix(*signals):
    return [single(sum(v)) for v in zip(*signals)]


# Normalised settings by parameter index; factory preset 0 as the base.
PRESET0 = {0: 1, 1: 0.5, 2: 0.5, 4: 0, 5: 0.5, 6: 0.5, 8: 0.625, 9: 0.5, 10: 0.375, 11: 1, 12: 0, 13: 0.75}


def settings(**changes):
    names = {"power": 0, "attack": 1, "release": 2, "sc": 4, "hpf": 5, "ratio": 6, "threshold": 8,
             "channel": 9, "makeup": 10, "link": 11, "blend_switch": 12, "blend": 13}
    s = dict(PRESET0)
    for name, v in changes.items():
        s[names[name]] = v
    return s


def cases():
    """(name, sample rate, stereo flag, block size, settings, changes, left, right);
    changes are (block, parameter index, value) applied before that block."""
    n = 2000
    out = []
    fs = 44100.0
    sine = burst(n, fs, 441.0, 100, 0.02, 0.8)
    out.append(("preset0", fs, 1, 512, settings(), [], sine, burst(n, fs, 441.0, 100, 0.02, 0.5, 1.0)))
    kick = drum(n, fs, [(50, 0.9), (1200, 0.6)], 7)
    out.append(("heavy", fs, 1, 300, settings(ratio=1, threshold=0.1, attack=0.2, release=0.3, makeup=0.6),
                [], kick, drum(n, fs, [(80, 0.7), (1500, 0.9)], 11)))
    bass_and_tone = mix(burst(n, fs, 55.0, 0, 1.0, 0.5), burst(n, fs, 1800.0, 400, 0.03, 0.3))
    out.append(("sidechain", fs, 1, 400, settings(sc=1, hpf=0.8, ratio=0.75, threshold=0.3, makeup=0.5),
                [], bass_and_tone, mix(burst(n, fs, 110.0, 0, 1.0, 0.4), burst(n, fs, 900.0, 700, 0.02, 0.5))))
    left = mix(burst(n, fs, 220.0, 0, 0.05, 0.7), kick)
    right = burst(n, fs, 660.0, 300, 0.01, 0.9)
    nan_right = list(right)
    nan_right[1000] = float("nan")
    out.append(("blend_unlinked", fs, 1, 333, settings(blend_switch=1, blend=0.4, link=0, threshold=0.2), [],
                left, nan_right))
    out.append(("channel_left", fs, 1, 512, settings(channel=0, threshold=0.25), [], left, right))
    out.append(("channel_right", fs, 1, 512, settings(channel=1, threshold=0.25, sc=1, hpf=0.3), [],
                left, right))
    fs48 = 48000.0
    long_burst = burst(n, fs48, 300.0, 0, 0.03, 0.9)
    out.append(("changes_and_power", fs48, 1, 200, settings(attack=0, release=1, ratio=0.2, threshold=0.3),
                [(2, 6, 0.9), (3, 8, 0.05), (4, 10, 0.7), (5, 12, 1.0), (6, 0, 0.0), (8, 0, 1.0)],
                long_burst, burst(n, fs48, 450.0, 50, 0.02, 0.6)))
    out.append(("mono_feed", fs, 0, 600, settings(attack=1, release=0, threshold=0.15), [], sine, right))
    return out


def render(case, single_precision):
    name, fs, stereo, block, setup, changes, in_l, in_r = case
    engine = Engine()
    for index, v in setup.items():
        engine.set(index, v)
    engine.set_sample_rate(fs)
    engine.resume()
    out_l, out_r, meter = [], [], []
    for b, start in enumerate(range(0, len(in_l), block)):
        for at, index, v in changes:
            if at == b:
                engine.set(index, v)
        l, r = engine.process(in_l[start:start + block], in_r[start:start + block], stereo, single_precision)
        out_l += l
        out_r += r
        meter.append(single(engine.gr))
    return out_l, out_r, meter


def case_file(case):
    """Little-endian: "ZELENG01", frames, block size, sample rate, stereo flag,
    sixteen settings by parameter index (placeholders 0), change count, changes
    (block, index, value), left and right input, then for the single and the
    double precision form the left and right output and the meter after each
    block (float)."""
    name, fs, stereo, block, setup, changes, in_l, in_r = case
    n = len(in_l)
    data = bytearray(b"ZELENG01")
    data += struct.pack("<iifi", n, block, fs, stereo)
    data += struct.pack("<16f", *[setup.get(i, 0.0) for i in range(16)])
    data += struct.pack("<i", len(changes))
    for at, index, v in changes:
        data += struct.pack("<iif", at, index, v)
    data += struct.pack("<%df" % n, *in_l) + struct.pack("<%df" % n, *in_r)
    for single_precision, fmt in ((True, "f"), (False, "d")):
        l, r, meter = render(case, single_precision)
        data += struct.pack("<%d%s" % (n, fmt), *l) + struct.pack("<%d%s" % (n, fmt), *r)
        data += struct.pack("<%df" % len(meter), *meter)
    return bytes(data)


def files():
    return {"engine_%s.bin" % case[0]: case_file(case) for case in cases()}
