"""Checks of the arithmetic in measure.py that needs no X server: pixel rounding, the corner
motion's nominal slide, paint coverage, finding a visible point to click, counters and the
report's verdicts."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import measure  # noqa: E402
from quiravel_support import geometry  # noqa: E402  (on the path measure.py set)


class PixelsAndMotion(unittest.TestCase):
    """The shared geometry that measure.py drives the program by, from the program's facts."""

    def test_windows_are_named_by_their_size(self):
        self.assertEqual(sorted(measure.FORMS.values()),
                         ["Form0", "Form1", "Form11", "Form2", "Welcome"])

    def test_rounding_halves_up(self):
        for twips, pixels in ((0, 0), (7, 0), (8, 1), (15, 1), (22, 1), (23, 2), (1267, 84)):
            with self.subTest(twips=twips):
                self.assertEqual(geometry.px(twips), pixels)

    def test_corner_windows_slide_up_into_the_bottom_right_hand_corner(self):
        screen = geometry.Screen(1920, 1080)
        for corner in (geometry.RESULT, geometry.DISCLAIMER):
            with self.subTest(corner.form):
                width, height = corner.size
                self.assertEqual(corner.start_top(screen), 1080)
                self.assertIn(1080 - corner.parked_top(screen) - height, range(1, 31))
                self.assertIn(1920 - corner.left(screen) - width, range(1, 11))
                self.assertTrue(0.1 < corner.nominal_slide_seconds < 2)


class CoverageOfAWindow(unittest.TestCase):
    def test_one_full_rectangle_completes(self):
        c = measure.Coverage(4, 3)
        self.assertFalse(c.complete)
        c.add(0, 0, 4, 3)
        self.assertTrue(c.complete)

    def test_pieces_complete_only_together(self):
        c = measure.Coverage(4, 3)
        c.add(0, 0, 2, 3)
        c.add(1, 0, 2, 3)  # overlaps the first piece: counted once
        self.assertEqual(c.covered, 9)
        self.assertFalse(c.complete)
        c.add(3, 0, 1, 3)
        self.assertTrue(c.complete)

    def test_damage_outside_is_clipped(self):
        c = measure.Coverage(4, 3)
        c.add(-10, -10, 5, 5)  # only the top-left corner lies inside: 0..0 x 0..0 is empty
        self.assertEqual(c.covered, 0)
        c.add(-2, -2, 4, 4)  # the 2 x 2 top-left square
        self.assertEqual(c.covered, 4)
        c.add(3, 2, 100, 100)
        self.assertEqual(c.covered, 5)


class ClickTargets(unittest.TestCase):
    def test_uncovered_label_is_clicked_in_its_middle(self):
        self.assertEqual(measure.visible_point((100, 50, 40, 20), []), (120, 60))

    def test_partly_covered_label_is_clicked_where_it_shows(self):
        point = measure.visible_point((100, 50, 40, 20), [(0, 0, 130, 1000)])
        self.assertIsNotNone(point)
        self.assertGreaterEqual(point[0], 130)
        self.assertTrue(measure.covers((100, 50, 40, 20), point))

    def test_hidden_label_has_no_point(self):
        self.assertIsNone(measure.visible_point((100, 50, 40, 20), [(90, 40, 60, 40)]))


class Counters(unittest.TestCase):
    def test_threads_new_since_the_first_sample_count_from_zero(self):
        self.assertEqual(measure.counter_delta({1: 10, 2: 5}, {1: 12, 2: 5, 3: 4}), 6)

    def test_reading_this_process(self):
        sample = measure.read_proc(os.getpid())
        self.assertGreater(sample.rss_kib, 0)
        self.assertIn(os.getpid(), sample.cpu_ns)
        self.assertIn(os.getpid(), sample.wait_ns)
        self.assertIn(os.getpid(), sample.voluntary)


def slide(seconds, nominal):
    return {"seconds": seconds, "first_step_ms": 10.0, "nominal": nominal, "steps": 1,
            "final_top": 1, "parked_top": 1, "longest_step_ms": 10.0, "cpu_ms": 1.0,
            "cpu_wait_ms": 0.0, "core_share": 0.1}


def quiravel_run(start, rss_start, rss_all, idle, form2=1.35, welcome=0.66):
    return {"start_ms": start, "start_cpu_ms": 1.0, "start_cpu_wait_ms": 0.0,
            "rss_start_mib": rss_start,
            "rss_all_mib": rss_all, "rss_all_shmem_mib": 1.0, "idle_wakeups": idle,
            "idle_wakeups_blinking": idle + 6.0,
            "form2": slide(form2, 1.35), "welcome": slide(welcome, 0.66)}


def start(ms):
    return {"start_ms": ms, "start_cpu_ms": ms * 0.8, "start_cpu_wait_ms": 0.0}


def floor_run(start, rss, idle):
    return {"start_ms": start, "start_cpu_ms": 1.0, "start_cpu_wait_ms": 0.0,
            "rss_start_mib": rss, "rss_later_mib": rss,
            "rss_later_shmem_mib": 0.5, "idle_wakeups": idle}


class Verdicts(unittest.TestCase):
    @staticmethod
    def verdicts_of(lines):
        return {line.split("  ")[0].strip(): line.split()[-1] for line in lines
                if line.endswith(("met", "MISSED"))}

    def verdicts(self, floors, runs):
        return self.verdicts_of(measure.report(floors, [], runs))

    def test_all_met_at_the_limits(self):
        v = self.verdicts([floor_run(100, 20, 0.5)],
                          [quiravel_run(100 * measure.TARGET_START, 20 * measure.TARGET_RSS_START,
                                        26, 1.5, form2=1.35 * 1.05, welcome=0.66 * 0.95)])
        self.assertEqual(set(v.values()), {"met"}, v)
        self.assertEqual(len(v), 6)

    def test_each_target_missed_just_past_its_limit(self):
        v = self.verdicts([floor_run(100, 20, 0.5)],
                          [quiravel_run(100 * measure.TARGET_START + 1,
                                        20 * measure.TARGET_RSS_START + 0.1, 26.1, 1.6,
                                        form2=1.42, welcome=0.70)])
        self.assertEqual(set(v.values()), {"MISSED"}, v)

    def test_medians_decide(self):
        floors = [floor_run(s, 20, 0) for s in (100, 90, 300)]
        runs = [quiravel_run(s, 20, 20, 0) for s in (105, 400, 95)]
        v = self.verdicts(floors, runs)
        self.assertEqual(v["start: exec to first full paint"], "met")  # 105 against 100

    def test_start_only_runs_decide_the_start(self):
        # The full runs' starts (100 against 200) would miss; the start-only runs meet.
        starts = {"floor": [start(100), start(98), start(300)],
                  "menu_fonts": [start(125), start(120), start(130)],
                  "quiravel": [start(105), start(104), start(90)]}
        lines = measure.report([floor_run(100, 20, 0)], [], [quiravel_run(200, 20, 20, 0)],
                               starts)
        v = self.verdicts_of(lines)
        self.assertEqual(v["start: exec to first full paint"], "met")  # 104 against 100
        self.assertEqual(len(v), 6)
        # The floor in the menu's fonts is shown against Quiravel but judges nothing.
        row = next(line for line in lines if "floor in the menu's fonts" in line)
        self.assertEqual(row.split()[-4:], ["125.00", "104.00", "ms", "0.832"])
        # The full runs' starts are shown too, for comparison.
        row = next(line for line in lines if "in the full runs" in line)
        self.assertEqual(row.split()[-4:], ["100.00", "200.00", "ms", "2.000"])

    def test_cycles_judge_the_growth_of_the_rss(self):
        def cycles(base_mib, end_mib):
            return {"base": 50, "count": 1000, "rss_base_mib": base_mib, "rss_mib": end_mib,
                    "cycle_ms": 100.0}

        for end, verdict in ((30.99, "met"), (31.0, "MISSED")):
            lines = measure.report([floor_run(100, 20, 0)], [], [quiravel_run(100, 20, 20, 0)],
                                   None, cycles(30.0, end))
            v = self.verdicts_of(lines)
            self.assertEqual(len(v), 7)
            self.assertEqual(v["RSS after that many cycles"], verdict)
            self.assertIn("targets met: " + ("7" if verdict == "met" else "6") + " of 7", lines)
        header = next(line for line in lines if line.startswith("open, score, close"))
        self.assertEqual(header.split()[-5:-3], ["50", "1000"])

    def test_start_only_runs_can_miss(self):
        starts = {"floor": [start(100)], "menu_fonts": [start(100)], "quiravel": [start(111)]}
        lines = measure.report([floor_run(100, 20, 0)], [], [quiravel_run(100, 20, 20, 0)],
                               starts)
        self.assertIn("MISSED", next(line for line in lines if line.startswith("start:")))


class StartOrder(unittest.TestCase):
    def test_each_program_takes_each_place_equally_often(self):
        turns = [measure.start_order(t) for t in range(6)]
        for turn in turns:
            self.assertEqual(sorted(turn), sorted(measure.START_PROGRAMS))
        for place in range(3):
            firsts = [turn[place] for turn in turns]
            for name in measure.START_PROGRAMS:
                self.assertEqual(firsts.count(name), 2, (place, turns))


if __name__ == "__main__":
    unittest.main()
