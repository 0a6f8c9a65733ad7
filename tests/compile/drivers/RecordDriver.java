// Uses the records that modern_targets_compile_test generates; an AssertionError says which
// promise one of them broke.
public class RecordDriver {
  static void check(boolean ok, String what) {
    if (!ok) {
      throw new AssertionError(what);
    }
  }

  public static void main(String[] args) {
    Point p = new Point(1, 2L, "p", new double[] {1, 2, 3}, new int[][] {{1}, {2}});
    Point q = p.withY(3L);
    check(q.y() == 3L && q.x() == 1 && p.y() == 2L, "withY returns a changed copy");
    check(p.withName("r").name().equals("r") && p.name().equals("p"), "withName");
    check(p.compareTo(q) < 0 && q.compareTo(p) > 0, "ordered by the second component");
    check(p.compareTo(p.withName("p")) == 0, "equal components compare equal");
    check(p.withCoords(new double[] {1, 2, 4}).compareTo(p) > 0, "arrays compared");
    check(p.withGrid(new int[][] {{1}, {1}}).compareTo(p) < 0, "nested arrays compared");
    Point same = new Point(1, 2L, "p", new double[] {1, 2, 3}, new int[][] {{1}, {2}});
    check(p.equals(same) && p.hashCode() == same.hashCode(), "arrays equal by content");
    check(!p.equals(p.withGrid(new int[][] {{1}, {3}})), "nested arrays differ by content");
    check(p.toString().equals("Point[x=1, y=2, name=p, coords=[1.0, 2.0, 3.0], grid=[[1], [2]]]"),
        "arrays shown by content");
    check(new Account("a").equals(new Account("a")), "the record's own equality");
    check(new Account("a").withOwner("b").owner().equals("b"), "withOwner");
    check(new Account("a").toString().equals("Account[owner=a]"), "the record's own string");
    check(new Nothing().compareTo(new Nothing()) == 0, "no components");
    try {
      p.reset();
      check(false, "a method stub throws");
    } catch (UnsupportedOperationException expected) {
      check(expected.getMessage().equals("Point.reset is not written yet"), "its message");
    }
  }
}
